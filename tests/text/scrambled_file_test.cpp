#include "text/scrambled_file.h"

#include <gtest/gtest.h>

#include <string>

#include "text/messages.h"
#include "text/test_support.h"

namespace tavro {
namespace {

using testing::MemoryFileSystem;
using testing::RecordingSink;

unsigned char swapped(unsigned char b) {
    return static_cast<unsigned char>((b << 4) | (b >> 4));
}

std::string scrambledCopy(std::string text, const char* key) {
    scrambleText(text.data(), static_cast<int32_t>(text.size()), key);
    return text;
}

TEST(Scrambling, EachByteIsXoredWithItsKeyByteAndNibbleSwapped) {
    const std::string plain = "aXkeyZ";
    const char* key = "key";
    const std::string scrambled = scrambledCopy(plain, key);
    ASSERT_EQ(scrambled.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        const auto p = static_cast<unsigned char>(plain[i]);
        const auto k = static_cast<unsigned char>(key[i % 3]);
        // A byte equal to its key byte is first replaced by 1.
        const unsigned char expected = swapped(static_cast<unsigned char>((p == k ? 1 : p) ^ k));
        EXPECT_EQ(static_cast<unsigned char>(scrambled[i]), expected) << "byte " << i;
    }
    std::string restored = scrambled;
    ASSERT_TRUE(unscrambleText(restored.data(), static_cast<int32_t>(restored.size()), key));
    EXPECT_EQ(restored, plain);
}

TEST(Scrambling, RoundTripsEveryByteWithoutZeros) {
    struct Case {
        const char* key;
    };
    const Case keys[] = {{"k"}, {"cfgTableMixWord"}, {kDefaultScrambleKey}, {"\xff\x80\x7f"}};
    std::string plain;
    for (int b = 2; b < 256; ++b) {
        plain += static_cast<char>(b);
    }
    plain += plain;
    for (const Case& c : keys) {
        const std::string scrambled = scrambledCopy(plain, c.key);
        EXPECT_EQ(scrambled.find('\0'), std::string::npos) << c.key;
        std::string restored = scrambled;
        unscrambleText(restored.data(), static_cast<int32_t>(restored.size()), c.key);
        EXPECT_EQ(restored, plain) << c.key;
    }
    std::string untouched = "abc";
    EXPECT_FALSE(scrambleText(untouched.data(), 3, ""));
    EXPECT_FALSE(scrambleText(untouched.data(), 0, "k"));
    EXPECT_FALSE(unscrambleText(untouched.data(), 3, nullptr));
    EXPECT_EQ(untouched, "abc");
}

TEST(ScrambledFile, DefaultKeyFollowsTheXxEnding) {
    ScrambledFile file("save.xx");
    EXPECT_EQ(file.key(), kDefaultScrambleKey);
    file.setPath("save.txt");
    EXPECT_EQ(file.key(), "");
    file.setPath("save.XX");
    EXPECT_EQ(file.key(), "") << "the ending is case-sensitive";
    file.setPath("a.xx");
    file.setKey("mine");
    file.setPath("b.txt");
    EXPECT_EQ(file.key(), "mine");
    file.setPath("xx");
    EXPECT_EQ(file.key(), "mine");
    file.setPath(".xx");
    EXPECT_EQ(file.key(), kDefaultScrambleKey);
}

TEST(ScrambledFile, WritesAndReadsBackWholeTextsByByteCount) {
    struct Case {
        const char* path;
        const char* key;
        std::string text;
    };
    std::string large(600, 'x');
    large[10] = '\0';
    const Case cases[] = {
        {"plain.txt", "", "hello\r\nworld"},
        {"scrambled.dat", "cfgTableMixWord", "a=1;b=2;"},
        {"default.xx", nullptr, "saved"},
        {"zeros.txt", "", large},
        // A key byte 1 scrambles its own byte to zero; nothing may be cut.
        {"one.dat",
         "\x01"
         "b",
         "\x01"
         "a\x01"
         "c"},
    };
    for (const Case& c : cases) {
        MemoryFileSystem disk;
        ScrambledFile file(c.path);
        if (c.key != nullptr) {
            file.setKey(c.key);
        }
        const TextString text(c.text.data(), static_cast<int32_t>(c.text.size()));
        ASSERT_TRUE(file.writeAll(text)) << c.path;
        EXPECT_EQ(disk.files[c.path].size(), c.text.size()) << c.path;
        TextString back;
        ASSERT_TRUE(file.readAll(back)) << c.path;
        EXPECT_EQ(std::string(back.view()), c.text) << c.path;
    }
}

TEST(ScrambledFile, AppendedTextsRestartTheKey) {
    MemoryFileSystem disk;
    ScrambledFile file("log.dat");
    file.setKey("ab");
    ASSERT_TRUE(file.appendText("xy"));
    ASSERT_TRUE(file.appendText("zw"));
    TextString back;
    ASSERT_TRUE(file.readAll(back));
    EXPECT_EQ(back, "xyzw") << "a first text of the key's length keeps the walk aligned";
    ASSERT_TRUE(file.appendText("q"));
    ASSERT_TRUE(file.appendText("r"));
    TextString misaligned;
    ASSERT_TRUE(file.readAll(misaligned));
    EXPECT_NE(misaligned, "xyzwqr");
    EXPECT_EQ(misaligned.substr(0, 5), "xyzwq");
}

TEST(ScrambledFile, FailuresAreReportedWithThePathAndMode) {
    const std::string prefix = kFileOpenFailedPrefix;
    struct Case {
        const char* name;
        bool (*operation)(const ScrambledFile&);
        const char* suffix;  // null: no report expected
    };
    const Case cases[] = {
        {"read",
         [](const ScrambledFile& f) {
             TextString t;
             return f.readAll(t);
         },
         "] -rb"},
        {"write", [](const ScrambledFile& f) { return f.writeAll("new"); }, "] -wb"},
        {"append", [](const ScrambledFile& f) { return f.appendText("new"); }, "] -ab"},
        {"truncate", [](const ScrambledFile& f) { return f.truncate(); }, nullptr},
    };
    for (const Case& c : cases) {
        MemoryFileSystem disk;
        disk.files["locked.txt"] = "old";
        disk.failing.insert("locked.txt");
        RecordingSink sink;
        EXPECT_FALSE(c.operation(ScrambledFile("locked.txt"))) << c.name;
        EXPECT_EQ(disk.files["locked.txt"], "old") << c.name;
        if (c.suffix == nullptr) {
            EXPECT_TRUE(sink.reports.empty()) << c.name;
        } else {
            ASSERT_EQ(sink.reports.size(), 1u) << c.name;
            EXPECT_EQ(sink.reports[0].first, prefix + "locked.txt" + c.suffix);
            EXPECT_EQ(sink.reports[0].second, 2u);
        }

        RecordingSink emptyPathSink;
        EXPECT_FALSE(c.operation(ScrambledFile(""))) << c.name;
        ASSERT_EQ(emptyPathSink.reports.size(), 1u) << c.name;
        EXPECT_EQ(emptyPathSink.reports[0].first, kInvalidFileNameMessage);
        EXPECT_EQ(emptyPathSink.reports[0].second, 0u);
    }
}

}  // namespace
}  // namespace tavro
