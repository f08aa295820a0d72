#include "text/error_log.h"

#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "text/messages.h"

namespace tavro {
namespace {

using testing::GameFolder;

// A log writing to the in-memory disk.
struct LogFixture {
    GameFolder disk;
    ErrorLog log{disk};
    const std::string& file() { return disk.files[kErrorLogFileName]; }
};

TEST(ErrorLog, FiltersBySeverity) {
    const std::tuple<uint32_t, uint32_t, bool> cases[] = {
        {0, 1, false}, {0, 9, true},  {1, 0, false}, {1, 1, true},
        {2, 0, true},  {3, 2, false}, {7, 9, false}};
    for (const auto& [level, severity, written] : cases) {
        LogFixture f;
        f.log.setReportLevel(level);
        f.log.record("m", static_cast<Severity>(severity));
        EXPECT_EQ(f.disk.exists(kErrorLogFileName), written) << level << " " << severity;
        EXPECT_EQ(f.log.callCount(), written ? 1u : 0u);
    }
}

TEST(ErrorLog, FirstPassingLineEmptiesThePreviousLog) {
    LogFixture f;
    f.disk.files[kErrorLogFileName] = "001 : old run\n";
    f.log.record("Font", Severity::kError);
    EXPECT_EQ(f.file(), "001 : old run\n") << "the default level writes nothing";
    f.log.setReportLevel(0);
    f.log.record("ignored", Severity::kNotice);
    EXPECT_EQ(f.file(), "001 : old run\n") << "a filtered call does not truncate";
    f.log.record("log start", Severity::kError);
    f.log.record("D3DDevice", Severity::kError);
    EXPECT_EQ(f.file(), "001 : log start\n002 : D3DDevice\n");
    EXPECT_EQ(f.disk.appendCalls, 2) << "one append per line";
}

// The line limit lets one line more through, then drops later lines but keeps counting.
TEST(ErrorLog, NumbersArePaddedToThreeDigitsAndTheLineLimitKeepsCounting) {
    LogFixture f;
    f.log.setReportLevel(2);
    f.log.setLineLimit(999);
    for (int i = 0; i < 1001; ++i) {
        f.log.record("x", Severity::kMinor);
    }
    for (const char* line : {"001 : x\n", "\n010 : x\n", "\n100 : x\n", "\n1000 : x\n"}) {
        EXPECT_NE(f.file().find(line), std::string::npos) << line;
    }
    EXPECT_EQ(f.file().find("0100"), std::string::npos);
    EXPECT_EQ(f.file().find("1001"), std::string::npos);
    EXPECT_EQ(f.log.callCount(), 1001u);
    f.log.setLineLimit(200000);
    EXPECT_EQ(f.log.lineLimit(), kMaxLineLimit);
}

// A failure to open the log itself is never recorded; other files' failures are.
TEST(ErrorLog, FailureOfItsOwnFileIsNeverRecorded) {
    LogFixture f;
    f.disk.failing.insert(kErrorLogFileName);
    f.log.setReportLevel(2);
    f.log.record("first", Severity::kError);
    f.log.record("second", Severity::kError);
    EXPECT_EQ(f.log.callCount(), 2u) << "only the two calls count, not the open failures";
    EXPECT_EQ(f.disk.appendCalls, 2);
    f.disk.failing.clear();
    TextString text;
    EXPECT_FALSE(ScrambledFile(f.disk, &f.log, "missing.txt").readAll(text));
    EXPECT_EQ(f.file(), std::string("003 : ") + kFileOpenFailedPrefix + "missing.txt] -rb\n");
}

}  // namespace
}  // namespace tavro
