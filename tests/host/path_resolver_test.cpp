#include "host/files/path_resolver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/temporary_folder.h"

namespace tavro {
namespace {

TEST(NamesEqualIgnoringCaseTest, FoldsOnlyAsciiLetters) {
    EXPECT_FALSE(namesEqualIgnoringCase("[", "{", false));  // only letters fold
    // Trail bytes that look like A and a differ; a letter after the character folds.
    EXPECT_FALSE(namesEqualIgnoringCase("\x83\x41", "\x83\x61", true));
    EXPECT_TRUE(namesEqualIgnoringCase("\x83\x41x", "\x83\x41X", true));
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
    }

    std::string resolved(const std::string& path) {
        std::string diskPath;
        return resolver.resolveExisting(path, diskPath) ? diskPath.substr(folder.path().size())
                                                        : "(none)";
    }
    std::string resolvedForWrite(const std::string& path) {
        WriteTarget target;
        if (!resolver.resolveForWrite(path, target)) {
            return "(none)";
        }
        return "/" + target.folder + (target.folder.empty() ? "" : "/") + target.name;
    }

    TemporaryFolder folder;
    PathResolver resolver{folder.path()};
};

TEST_F(PathResolverTest, FindsExistingFilesIgnoringCaseAndEncoding) {
    folder.writeFile("data/B.txt", "1");
    folder.writeFile("data/b.TXT", "2");
    const std::pair<std::string, std::string> cases[] = {
        {"DATA/\\\\Title.BMP", "/data/title.bmp"},  // both slashes separate, doubled or not
        {kSofuShiftJis + "\\" + kSofuShiftJis + ".WAV", "/" + kSofuUtf8 + "/" + kSofuUtf8 + ".wav"},
        {kSofuShiftJis + ".TXT", "/" + kSofuShiftJis + ".txt"},
        {"data\\b.txt", "/data/B.txt"},  // the smallest of names differing in case
        {"data", "/data"},
        {"data\\missing.bmp", "(none)"},
        {std::string("data\0\\title.bmp", 15), "(none)"},
    };
    for (const auto& [path, diskPath] : cases) {
        EXPECT_EQ(resolved(path), diskPath) << path;
    }
}

TEST_F(PathResolverTest, WritesStayInsideTheGameFolder) {
    const std::pair<std::string, std::string> cases[] = {
        {"DATA\\Title.bmp", "/data/title.bmp"},  // an existing file keeps its disk name
        {kSofuShiftJis + "\\" + kSofuShiftJis + ".sav",
         "/" + kSofuUtf8 + "/" + kSofuUtf8 + ".sav"},  // new files get UTF-8 names
        {"ab\x83.sav", "/ab\x83.sav"},                 // a name that does not convert stays
        {"data\\..\\x.dat", "/x.dat"},                 // ".." is taken by name, not through a link
        {"..\\x.dat", "(none)"},
        {"data\\..\\..\\x.dat", "(none)"},
        {"/tmp/x.dat", "(none)"},
        {"C:\\x.dat", "(none)"},
        {"data\\title.bmp\\x", "(none)"},
        {"data\\..", "(none)"},
        {std::string("data\0x\\new.dat", 14), "(none)"},
        {"", "(none)"},
    };
    for (const auto& [path, diskPath] : cases) {
        EXPECT_EQ(resolvedForWrite(path), diskPath) << path;
    }
}

TEST_F(PathResolverTest, ListsNamesAsShiftJis) {
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : resolver.listDirectory("")) {
        names.push_back(entry.name + (entry.isDirectory ? "/" : ""));
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"data/", kSofuShiftJis + ".txt", kSofuShiftJis + "/"}));
    ASSERT_EQ(resolver.listDirectory(kSofuShiftJis).size(), 1u);
    EXPECT_EQ(resolver.listDirectory(kSofuShiftJis)[0].name, kSofuShiftJis + ".wav");
    EXPECT_TRUE(resolver.listDirectory("missing").empty());
}

}  // namespace
}  // namespace tavro
