#include "shell/error_log.h"

#include <gtest/gtest.h>

#include <string>

#include "text/messages.h"
#include "text/test_support.h"

namespace tavro {
namespace {

using testing::MemoryFileSystem;

// A log installed as the error sink for one test, writing to the in-memory disk.
struct LogFixture {
    MemoryFileSystem disk;
    ErrorLog log;
    ErrorSink* previous = setErrorSink(&log);
    ~LogFixture() { setErrorSink(previous); }
    const std::string& file() { return disk.files[kErrorLogFileName]; }
};

TEST(ErrorLog, FiltersBySeverity) {
    struct Case {
        uint32_t level;
        uint32_t severity;
        bool written;
    };
    const Case cases[] = {
        {0, 0, false}, {0, 1, false}, {0, 2, true},  {0, 9, true}, {1, 0, false},
        {1, 1, true},  {1, 2, true},  {2, 0, true},  {2, 1, true}, {2, 2, true},
        {3, 2, false}, {7, 2, false}, {7, 9, false},
    };
    for (const Case& c : cases) {
        LogFixture f;
        f.log.setReportLevel(c.level);
        f.log.record("m", c.severity);
        EXPECT_EQ(f.disk.exists(kErrorLogFileName), c.written)
            << "level " << c.level << " severity " << c.severity;
        EXPECT_EQ(f.log.callCount(), c.written ? 1u : 0u);
    }
}

TEST(ErrorLog, DefaultLevelWritesNothingAndKeepsTheOldLog) {
    LogFixture f;
    f.disk.files[kErrorLogFileName] = "001 : old run\n";
    f.log.record("D3DDevice", 2);
    reportError("Font", 2);
    EXPECT_EQ(f.file(), "001 : old run\n");
    EXPECT_EQ(f.log.reportLevel(), kReportNothing);
}

TEST(ErrorLog, FirstPassingLineEmptiesThePreviousLog) {
    LogFixture f;
    f.disk.files[kErrorLogFileName] = "001 : old run\n";
    f.log.setReportLevel(0);
    f.log.record("ignored", 1);
    EXPECT_EQ(f.file(), "001 : old run\n") << "a filtered call does not truncate";
    f.log.record("log start", 2);
    reportError("D3DDevice", 2);
    EXPECT_EQ(f.file(), "001 : log start\n002 : D3DDevice\n");
    EXPECT_EQ(f.disk.appendCalls, 2) << "one append per line";
}

TEST(ErrorLog, NumbersArePaddedToThreeDigits) {
    LogFixture f;
    f.log.setReportLevel(2);
    for (int i = 0; i < 1000; ++i) {
        f.log.record("x", 0);
    }
    const std::string& text = f.file();
    struct Case {
        const char* line;
    };
    const Case expected[] = {{"001 : x\n"}, {"\n010 : x\n"}, {"\n100 : x\n"}, {"\n1000 : x\n"}};
    for (const Case& c : expected) {
        EXPECT_NE(text.find(c.line), std::string::npos) << c.line;
    }
    EXPECT_EQ(text.find("0100"), std::string::npos);
}

TEST(ErrorLog, LineLimitDropsLaterLinesButKeepsCounting) {
    LogFixture f;
    f.log.setReportLevel(2);
    f.log.setLineLimit(2);
    for (int i = 0; i < 6; ++i) {
        f.log.record("x", 2);
    }
    EXPECT_EQ(f.file(), "001 : x\n002 : x\n003 : x\n");
    EXPECT_EQ(f.log.callCount(), 6u);
    f.log.setLineLimit(200000);
    EXPECT_EQ(f.log.lineLimit(), kMaxLineLimit);
    f.log.setLineLimit(0);
    EXPECT_EQ(f.log.lineLimit(), 0u);
}

TEST(ErrorLog, FailureOfItsOwnFileIsNeverRecorded) {
    LogFixture f;
    f.disk.failing.insert(kErrorLogFileName);
    f.log.setReportLevel(2);
    f.log.record("first", 2);
    f.log.record("second", 2);
    EXPECT_EQ(f.log.callCount(), 2u) << "only the two calls count, not the open failures";
    EXPECT_EQ(f.disk.appendCalls, 2);
    f.disk.failing.clear();
    f.log.record("third", 2);
    EXPECT_EQ(f.file(), "003 : third\n");
}

TEST(ErrorLog, OtherFilesFailuresAreRecorded) {
    LogFixture f;
    f.log.setReportLevel(2);
    TextString text;
    EXPECT_FALSE(ScrambledFile("missing.txt").readAll(text));
    EXPECT_EQ(f.file(), std::string("001 : ") + kFileOpenFailedPrefix + "missing.txt] -rb\n");
}

}  // namespace
}  // namespace tavro
