#include "text/scrambled_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/game_folder.h"
#include "support/log_sink.h"
#include "text/messages.h"

namespace tavro {
namespace {

using testing::GameFolder;
using testing::RecordingSink;

TEST(Scrambling, EachByteIsXoredWithItsKeyByteAndNibbleSwapped) {
    // A byte equal to its key byte (the e and y here) is first replaced by 1, so none turns 0.
    std::string text = "aeyZ";
    ASSERT_TRUE(scrambleText(text.data(), 4, "key"));
    EXPECT_EQ(text, "\xa0\x46\x87\x13");
    ASSERT_TRUE(unscrambleText(text.data(), 4, "key"));
    EXPECT_EQ(text, "aeyZ");

    std::string plain;
    for (int b = 2; b < 256; ++b) {
        plain += static_cast<char>(b);
    }
    for (const char* key : {kDefaultScrambleKey, "\xff\x80\x7f"}) {
        std::string scrambled = plain;
        scrambleText(scrambled.data(), static_cast<int32_t>(scrambled.size()), key);
        EXPECT_EQ(scrambled.find('\0'), std::string::npos) << key;
        unscrambleText(scrambled.data(), static_cast<int32_t>(scrambled.size()), key);
        EXPECT_EQ(scrambled, plain) << key;
    }
    std::string untouched = "abc";
    EXPECT_FALSE(scrambleText(untouched.data(), 3, ""));
    EXPECT_FALSE(scrambleText(untouched.data(), 0, "k"));
    EXPECT_FALSE(unscrambleText(untouched.data(), 3, nullptr));
    EXPECT_EQ(untouched, "abc");
}

TEST(ScrambledFile, DefaultKeyFollowsTheXxEnding) {
    GameFolder disk;
    ScrambledFile file(disk, nullptr, ".xx");
    EXPECT_EQ(file.key(), kDefaultScrambleKey);
    file.setPath("save.XX");
    EXPECT_EQ(file.key(), "") << "the ending is case-sensitive";
    file.setKey("mine");
    file.setPath("b.txt");
    EXPECT_EQ(file.key(), "mine");
}

TEST(ScrambledFile, WritesAndReadsBackWholeTextsByByteCount) {
    struct Case {
        const char *path, *key;
        std::string text;
    };
    std::string large(600, 'x');
    large[10] = '\0';
    // A key byte 1 scrambles its own byte to zero; nothing may be cut.
    const Case cases[] = {{"scrambled.dat", "cfgTableMixWord", "a=1;b=2;"},
                          {"zeros.txt", "", large},
                          {"one.dat", "\x01\x62", "\x01\x61\x01\x63"}};
    for (const Case& c : cases) {
        GameFolder disk;
        ScrambledFile file(disk, nullptr, c.path);
        file.setKey(c.key);
        ASSERT_TRUE(file.writeAll(TextString(c.text.data(), static_cast<int32_t>(c.text.size()))));
        EXPECT_EQ(disk.files[c.path].size(), c.text.size()) << c.path;
        TextString back;
        ASSERT_TRUE(file.readAll(back)) << c.path;
        EXPECT_EQ(std::string(back.view()), c.text) << c.path;
    }
}

TEST(ScrambledFile, AppendedTextsRestartTheKey) {
    GameFolder disk;
    ScrambledFile file(disk, nullptr, "log.dat");
    file.setKey("ab");
    for (const char* text : {"xy", "zw", "q", "r"}) {
        ASSERT_TRUE(file.appendText(text));
    }
    TextString back;
    ASSERT_TRUE(file.readAll(back));
    EXPECT_EQ(back.substr(0, 5), "xyzwq") << "texts of the key's length keep the walk aligned";
    EXPECT_NE(back, "xyzwqr");
}

TEST(ScrambledFile, FailuresAreReportedWithThePathAndMode) {
    using Reports = std::vector<std::pair<std::string, Severity>>;
    GameFolder disk;
    disk.files["locked.txt"] = "old";
    disk.failing.insert("locked.txt");
    auto attemptAll = [&disk](const char* path) {
        RecordingSink sink;
        const ScrambledFile file(disk, &sink, path);
        TextString text;
        EXPECT_FALSE(file.readAll(text));
        EXPECT_FALSE(file.writeAll("new"));
        EXPECT_FALSE(file.appendText("new"));
        EXPECT_FALSE(file.truncate());
        return sink.reports;
    };
    const std::string open = kFileOpenFailedPrefix + std::string("locked.txt");
    EXPECT_EQ(attemptAll("locked.txt"), (Reports{{open + "] -rb", Severity::kError},
                                                 {open + "] -wb", Severity::kError},
                                                 {open + "] -ab", Severity::kError}}))
        << "a failed truncation is silent";
    EXPECT_EQ(disk.files["locked.txt"], "old");
    EXPECT_EQ(attemptAll(""), Reports(4, {kInvalidFileNameMessage, Severity::kMinor}));
}

}  // namespace
}  // namespace tavro
