#include "host/path_resolver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "temporary_folder.h"

namespace tavro {
namespace {

TEST(SplitGamePathTest, SeparatesAtBothSlashesButNotInsideDoubleByteCharacters) {
    struct Case {
        std::string path;
        std::vector<std::string> components;
        bool absolute;
    };
    const Case cases[] = {
        {"DATA\\Title.BMP", {"DATA", "Title.BMP"}, false},
        {"a/b\\c", {"a", "b", "c"}, false},
        {"a\\\\b\\", {"a", "b"}, false},
        {"\x83\x5c\x83t\\x.bmp", {"\x83\x5c\x83t", "x.bmp"}, false},  // "sofu" folder
        {"\x95\x5c", {"\x95\x5c"}, false},
        {"\xb1\\b", {"\xb1", "b"}, false},  // half-width katakana is a single byte
        {"ab\x83", {"ab\x83"}, false},      // a lead byte cut off at the end
        {"\\root\\x", {"root", "x"}, true},
        {"/etc/passwd", {"etc", "passwd"}, true},
        {"C:\\save.dat", {"C:", "save.dat"}, true},
        {"..\\up", {"..", "up"}, false},
        {"", {}, false},
    };
    for (const Case& c : cases) {
        SplitPath split = splitGamePath(c.path);
        EXPECT_EQ(split.components, c.components) << c.path;
        EXPECT_EQ(split.absolute, c.absolute) << c.path;
    }
}

TEST(NamesEqualIgnoringCaseTest, FoldsOnlyAsciiLetters) {
    struct Case {
        std::string a, b;
        bool shiftJis;
        bool equal;
    };
    const Case cases[] = {
        {"Title.BMP", "title.bmp", true, true},
        {"title.bmp", "title.bmq", true, false},
        {"abc", "abcd", false, false},
        {"[", "{", false, false},               // only letters fold
        {"\x83\x41", "\x83\x61", true, false},  // trail bytes look like A and a but differ
        {"\x83\x41x", "\x83\x41X", true, true},
        {"\xe3\x82\xbd"
         "A",
         "\xe3\x82\xbd"
         "a",
         false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(namesEqualIgnoringCase(c.a, c.b, c.shiftJis), c.equal) << c.a << " / " << c.b;
    }
}

// "sofu" (so, fu) in both encodings: its first character has 0x5C as trail byte.
const std::string kSofuShiftJis = "\x83\x5c\x83t";
const std::string kSofuUtf8 = "\xe3\x82\xbd\xe3\x83\x95";

class PathResolverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.makeFolder("data");
        folder.writeFile("data/title.bmp", "t");
        folder.makeFolder(kSofuUtf8);
        folder.writeFile(kSofuUtf8 + "/" + kSofuUtf8 + ".wav", "w");
        folder.writeFile(kSofuShiftJis + ".txt", "raw");  // a name written by Windows tools
        folder.writeFile("Exact.TXT", "e");
    }

    std::string resolved(const std::string& path) {
        std::string diskPath;
        return resolver.resolveExisting(path, diskPath) ? diskPath.substr(folder.path().size())
                                                        : "(none)";
    }
    std::string forWrite(const std::string& path) {
        std::string diskPath;
        return resolver.resolveForWrite(path, diskPath) ? diskPath.substr(folder.path().size())
                                                        : "(refused)";
    }

    TemporaryFolder folder;
    PathResolver resolver{folder.path()};
};

TEST_F(PathResolverTest, FindsExistingFilesByEveryRule) {
    struct Case {
        std::string path;
        std::string diskPath;
    };
    const Case cases[] = {
        {"Exact.TXT", "/Exact.TXT"},
        {"data/title.bmp", "/data/title.bmp"},
        {"data\\title.bmp", "/data/title.bmp"},
        {"DATA\\Title.BMP", "/data/title.bmp"},
        {"exact.txt", "/Exact.TXT"},
        {kSofuShiftJis + "\\" + kSofuShiftJis + ".wav", "/" + kSofuUtf8 + "/" + kSofuUtf8 + ".wav"},
        {kSofuShiftJis + "\\" + kSofuShiftJis + ".WAV", "/" + kSofuUtf8 + "/" + kSofuUtf8 + ".wav"},
        {kSofuShiftJis + ".TXT", "/" + kSofuShiftJis + ".txt"},
        {"data\\.\\title.bmp", "/data/./title.bmp"},
        {"data", "/data"},
        {"data\\missing.bmp", "(none)"},
        {std::string("data\0\\title.bmp", 15), "(none)"},
        {"title.bmp", "(none)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolved(c.path), c.diskPath) << c.path;
    }
}

TEST_F(PathResolverTest, PicksTheSmallestOfNamesDifferingInCase) {
    folder.writeFile("data/B.txt", "1");
    folder.writeFile("data/b.TXT", "2");
    EXPECT_EQ(resolved("DATA\\b.txt"), "/data/B.txt");
}

TEST_F(PathResolverTest, WritesStayInsideTheGameFolder) {
    struct Case {
        std::string path;
        std::string diskPath;
    };
    const Case cases[] = {
        {"save.dat", "/save.dat"},
        {"DATA\\Title.bmp", "/data/title.bmp"},  // an existing file keeps its disk name
        {"data\\New.dat", "/data/New.dat"},
        {kSofuShiftJis + "\\" + kSofuShiftJis + ".sav",
         "/" + kSofuUtf8 + "/" + kSofuUtf8 + ".sav"},  // new files get UTF-8 names
        {"ab\x83.sav", "/ab\x83.sav"},                 // a name that does not convert stays
        {"data\\..\\x.dat", "/data/../x.dat"},
        {"..\\x.dat", "(refused)"},
        {"data\\..\\..\\x.dat", "(refused)"},
        {"/tmp/x.dat", "(refused)"},
        {"\\x.dat", "(refused)"},
        {"C:\\x.dat", "(refused)"},
        {"missing\\x.dat", "(refused)"},
        {"data\\title.bmp\\x", "(refused)"},
        {"data\\..", "(refused)"},
        {std::string("save\0.dat", 9), "(refused)"},
        {std::string("data\0x\\new.dat", 14), "(refused)"},
        {"", "(refused)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(forWrite(c.path), c.diskPath) << c.path;
    }
}

TEST_F(PathResolverTest, ListsNamesAsShiftJis) {
    auto names = [](const std::vector<DirectoryEntry>& entries) {
        std::vector<std::string> list;
        for (const DirectoryEntry& entry : entries) {
            list.push_back(entry.name + (entry.isDirectory ? "/" : ""));
        }
        std::sort(list.begin(), list.end());
        return list;
    };
    std::vector<std::string> root = {"Exact.TXT", "data/", kSofuShiftJis + ".txt",
                                     kSofuShiftJis + "/"};
    std::sort(root.begin(), root.end());
    EXPECT_EQ(names(resolver.listDirectory("")), root);
    EXPECT_EQ(names(resolver.listDirectory("DATA")), std::vector<std::string>{"title.bmp"});
    EXPECT_EQ(names(resolver.listDirectory(kSofuShiftJis)),
              std::vector<std::string>{kSofuShiftJis + ".wav"});
    EXPECT_TRUE(resolver.listDirectory("missing").empty());
}

TEST(PathResolverRootTest, EmptyRootIsTheCurrentDirectory) {
    TemporaryFolder folder;
    folder.writeFile("Boot", "b");
    std::string previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    std::string diskPath;
    bool found = PathResolver("").resolveExisting("boot", diskPath);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(found);
    EXPECT_EQ(diskPath, "./Boot");
}

}  // namespace
}  // namespace tavro
