#include "host/files/game_folder_file_system.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "support/temporary_folder.h"

namespace tavro {
namespace {

class GameFolderFileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.makeFolder("game/Save");
        folder.writeFile("game/Save/Slot1.DAT", "old");
    }
    std::string game(const std::string& relative) { return "game/" + relative; }

    TemporaryFolder folder;
    GameFolderFileSystem files{folder.at("game")};
};

TEST_F(GameFolderFileSystemTest, ReadsWholeFilesThroughTheResolver) {
    folder.writeFile("game/Save/raw.bin", std::string("a\0b\xff", 4));
    std::string bytes;
    ASSERT_TRUE(files.readFile("save\\RAW.BIN", bytes));
    EXPECT_EQ(bytes, std::string("a\0b\xff", 4));
    bytes = "kept";
    EXPECT_FALSE(files.readFile("save", bytes));  // a folder is not a file
    EXPECT_EQ(bytes, "kept");
}

TEST_F(GameFolderFileSystemTest, ReplacesContentsKeepingPermissionsAndNoTemporaryFile) {
    ::chmod(folder.at(game("Save/Slot1.DAT")).c_str(), 0640);
    ASSERT_TRUE(files.replaceFile("SAVE\\slot1.dat", "new contents"));
    EXPECT_EQ(folder.readFile(game("Save/Slot1.DAT")), "new contents");
    struct stat info;
    ASSERT_EQ(::stat(folder.at(game("Save/Slot1.DAT")).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    ASSERT_TRUE(files.replaceFile("save\\slot2.dat", ""));
    EXPECT_EQ(folder.entryCount(game("Save")), 2u);
    // The temporary name must not outgrow a name as long as the disk allows.
    std::string name(250, 'n');
    folder.writeFile(game(name), "old");
    ASSERT_TRUE(files.replaceFile(name, "new"));
    EXPECT_EQ(folder.readFile(game(name)), "new");
}

TEST_F(GameFolderFileSystemTest, FailedReplaceKeepsTheOldFile) {
    // A folder in the way of the rename.
    folder.makeFolder("game/Save/Busy.dat/inner");
    EXPECT_FALSE(files.replaceFile("Save\\Busy.dat", "data"));
    EXPECT_TRUE(folder.exists(game("Save/Busy.dat/inner")));

    // A write that fails part way: the file size limit stops it.
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous;
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 8;
    ::setrlimit(RLIMIT_FSIZE, &small);
    bool replaced = files.replaceFile("Save\\Slot1.DAT", std::string(100, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(replaced);
    EXPECT_EQ(folder.readFile(game("Save/Slot1.DAT")), "old");
    EXPECT_EQ(folder.entryCount(game("Save")), 2u);  // Slot1.DAT and Busy.dat, no temporary
}

TEST_F(GameFolderFileSystemTest, AppendsAndTruncatesExistingFilesOrCreatesThem) {
    ASSERT_TRUE(files.appendFile("save\\slot1.dat", "+1"));
    ASSERT_TRUE(files.appendFile("SAVE\\SLOT1.DAT", "+2"));
    EXPECT_EQ(folder.readFile(game("Save/Slot1.DAT")), "old+1+2");
    ASSERT_TRUE(files.appendFile("log.txt", "a"));
    ASSERT_TRUE(files.truncateFile("save\\SLOT1.dat"));
    EXPECT_EQ(folder.readFile(game("Save/Slot1.DAT")), "");
    EXPECT_EQ(folder.entryCount(game("Save")), 1u);
    ASSERT_TRUE(files.truncateFile("fresh.txt"));
    EXPECT_TRUE(folder.exists(game("fresh.txt")));
    EXPECT_EQ(folder.readFile(game("log.txt")), "a");
    EXPECT_FALSE(files.truncateFile("save"));  // a folder
    EXPECT_FALSE(files.truncateFile("nowhere\\x.txt"));
}

TEST_F(GameFolderFileSystemTest, RefusesWritesOutsideTheGameFolder) {
    for (const char* path : {"..\\escape.txt", "save\\..\\..\\escape.txt", "/tmp/escape.txt"}) {
        EXPECT_FALSE(files.replaceFile(path, "x")) << path;
        EXPECT_FALSE(files.appendFile(path, "x")) << path;
        EXPECT_FALSE(files.truncateFile(path)) << path;
    }
    EXPECT_EQ(folder.entryCount(), 1u);  // only the game folder
}

// Links, FIFOs and devices in a game folder are tested end to end in tests/files.
TEST_F(GameFolderFileSystemTest, ReadsOnlyRegularFilesAndNeverBlocks) {
    ASSERT_EQ(::mkfifo(folder.at("game/pipe.txt").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", folder.at("game/zero.txt"));
    std::string bytes = "kept";
    for (const char* path : {"pipe.txt", "zero.txt", "save"}) {
        EXPECT_FALSE(files.readFile(path, bytes)) << path;
    }
    EXPECT_EQ(bytes, "kept");
    EXPECT_FALSE(files.appendFile("pipe.txt", "x"));  // no reader: fails at once
    EXPECT_FALSE(files.truncateFile("pipe.txt"));
}

TEST_F(GameFolderFileSystemTest, RefusesFilesLargerThanTheirKindAllows) {
    struct Case {
        off_t size;
        FileKind kind;
        bool read;
    };
    const off_t megabyte = off_t{1} << 20;
    const Case cases[] = {
        {64 * megabyte, FileKind::kText, true},      {64 * megabyte + 1, FileKind::kText, false},
        {64 * megabyte + 1, FileKind::kImage, true}, {16 * megabyte + 1, FileKind::kMusic, false},
        {off_t{64} << 30, FileKind::kImage, false},  // sparse: nothing of it is on the disk
        {off_t{64} << 30, FileKind::kSound, false},
    };
    for (const Case& test : cases) {
        ASSERT_EQ(::truncate(folder.at(game("Save/Slot1.DAT")).c_str(), test.size), 0);
        std::string bytes;
        EXPECT_EQ(files.readFile("save\\slot1.dat", bytes, test.kind), test.read) << test.size;
        EXPECT_EQ(bytes.size(), test.read ? static_cast<size_t>(test.size) : 0u);
    }
}

}  // namespace
}  // namespace tavro
