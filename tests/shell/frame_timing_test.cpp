#include "shell/frame_timing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tavro {
namespace {

TEST(FrameTimingTest, SkipRuleConsumesTheFrameTime) {
    const struct {
        const char* name;
        uint32_t threshold;
        std::vector<uint32_t> accumulatedAtEachFrame;  // time found when each frame is decided
        std::vector<bool> skipped;
        std::vector<uint32_t> remaining;
    } cases[] = {
        {"backlog below the limit is dropped", 5, {40}, {false}, {8}},
        // 40 >= 1000/30: skipped once, the backlog stays for the next iteration 1 ms later.
        {"skip then draw", 30, {40, 25}, {true, false}, {24, 9}},
        {"threshold 0 never skips", 0, {1000}, {false}, {8}},
        // -1 read as unsigned: the limit is almost 0, so every second due frame is skipped.
        {"negative threshold", UINT32_MAX, {17, 17, 17}, {true, false, true}, {1, 1, 1}},
        {"at most every second frame", 30, {100, 100}, {true, false}, {84, 4}},
    };
    for (const auto& c : cases) {
        FrameTiming timing;
        for (size_t i = 0; i < c.accumulatedAtEachFrame.size(); ++i) {
            timing.setAccumulated(c.accumulatedAtEachFrame[i]);
            timing.decideSkip(c.threshold);
            EXPECT_EQ(timing.skipped(), c.skipped[i]) << c.name << " frame " << i;
            EXPECT_EQ(timing.accumulated(), c.remaining[i]) << c.name << " frame " << i;
        }
    }
}

TEST(FrameTimingTest, AFrameIsDueAtOneSixtiethOfASecond) {
    // The clock wraps at 2^32; the difference stays small.
    for (const auto& [last, now, due] : {std::tuple{0u, 16u, false},
                                         {0u, 17u, true},
                                         {UINT32_MAX - 5, 11u, true},
                                         {UINT32_MAX - 5, 4u, false}}) {
        FrameTiming timing;
        timing.resynchronise(last);
        EXPECT_EQ(timing.advance(now), due) << last << " -> " << now;
        EXPECT_EQ(timing.accumulated(), now - last);
    }
}

TEST(FrameTimingTest, FrameRateIsWrittenWhenTheSumPassesFiveHundred) {
    FrameTiming timing;
    double fps = 0;
    timing.setAccumulated(250);
    EXPECT_FALSE(timing.updateFrameRate(fps));
    EXPECT_FALSE(timing.updateFrameRate(fps));  // sum 500
    timing.setAccumulated(20);
    EXPECT_TRUE(timing.updateFrameRate(fps));
    EXPECT_DOUBLE_EQ(fps, 50.0);
    EXPECT_FALSE(timing.updateFrameRate(fps)) << "the sum starts again from 0";
}

}  // namespace
}  // namespace tavro
