#include "text/shift_jis.h"

#include <gtest/gtest.h>

#include "text/messages.h"

namespace tavro {
namespace {

TEST(ShiftJisTest, ConvertsBothWaysAndSubstitutesBadBytes) {
    struct Case {
        bool toUtf8;
        std::string input, expected;
        bool exact;
    };
    const Case cases[] = {
        {true, "\x95\x5c", "\xe8\xa1\xa8", true},  // trail byte 0x5C
        {true, "\xb1", "\xef\xbd\xb1", true},      // half-width katakana is one byte
        {true, "\x87\x40", "\xe2\x91\xa0", true},  // NEC special character
        {true, "ab\x83", "ab\xef\xbf\xbd", false},
        {true, "a\x80z", "a\xef\xbf\xbdz", false},
        {true, "\x81\x7f!", "\xef\xbf\xbd\x7f!", false},  // a bad trail byte stays a character
        {false, "\xe3\x82\xbd", "\x83\x5c", true},
        {false, "\xef\xbd\xb1", "\xb1", true},
        {false, "a\xf0\x9f\x98\x80z", "a?z", false},  // an emoji has no code
        {false, "ab\xe3\x82", "ab??", false},
    };
    for (const Case& c : cases) {
        std::string output = "stale";
        EXPECT_EQ(c.toUtf8 ? shiftJisToUtf8(c.input, output) : utf8ToShiftJis(c.input, output),
                  c.exact)
            << c.input;
        EXPECT_EQ(output, c.expected) << c.input;
    }
    std::string output;
    EXPECT_FALSE(shiftJisToUtf8("\x83", output));  // leaves a half character behind
    EXPECT_TRUE(shiftJisToUtf8("A", output));
    EXPECT_EQ(output, "A");
}

// Every engine text, read back as Japanese: a wrong byte (an escape swallowing the next
// digits, a lost 0x5C second byte) shows here.
TEST(ShiftJisTest, EngineMessagesReadAsJapanese) {
    struct MessageCase {
        const char *shiftJis, *utf8;
    };
    const MessageCase cases[] = {
        {kNegativeArrayIndexMessage, "配列の添え字にマイナス値が指定されました"},
        {kInvalidFileNameMessage, "無効なファイル名"},
        {kFileOpenFailedPrefix, "ファイルオープン失敗 ["},
        {kBundleSubstituteAnimationMessage, "...パッケージファイルのデータを代用します"},
        {kWindowCreationFailedMessage, "ウィンドウの作成に失敗しました。"},
        {kFullScreenFailedMessage,
         "フルスクリーンでの起動に失敗しました。\n"
         "ウィンドウサイズの設定が適切でない可能性があります。"},
        {kBackBufferFailedMessage, "バックバッファの作成に失敗しました。"},
        {kSoundDeviceFailedMessage, "サウンドデバイスの作成に失敗しました。"},
        {kFontFailedMessage, "フォントの作成に失敗しました。"},
        {kBootTaskMissingMessage, "bootタスクをロードできません。"},
        {kSyntaxErrorMessage, "構文エラー : ネストを解析できません"},
        {kRunawayLoopQuestion,
         "ループ回数が異常です。無限ループに陥っている可能性があります。\n"
         "この場でプログラムを終了しますか？"},
    };
    for (const MessageCase& c : cases) {
        EXPECT_EQ(shiftJisToUtf8(c.shiftJis), c.utf8);
        std::string back;
        ASSERT_TRUE(utf8ToShiftJis(c.utf8, back)) << c.utf8;
        EXPECT_EQ(back, c.shiftJis) << c.utf8;
    }
}

}  // namespace
}  // namespace tavro
