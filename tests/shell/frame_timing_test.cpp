#include "shell/frame_timing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tavro {
namespace {

// Time found when each frame is decided -> skipped, time left. A backlog below the limit is
// dropped; 40 >= 1000/30 is skipped once and the backlog stays for the next iteration 1 ms
// later; threshold 0 never skips; at most every second frame is skipped.
TEST(FrameTimingTest, SkipRuleConsumesTheFrameTime) {
    struct Step {
        uint32_t accumulated;
        bool skipped;
        uint32_t remaining;
    };
    const std::pair<uint32_t, std::vector<Step>> cases[] = {
        {5, {{40, false, 8}}},
        {30, {{40, true, 24}, {25, false, 9}}},
        {0, {{1000, false, 8}}},
        {30, {{100, true, 84}, {100, false, 4}}},
    };
    for (const auto& [threshold, steps] : cases) {
        FrameTiming timing;
        for (const Step& step : steps) {
            timing.setAccumulated(step.accumulated);
            timing.decideSkip(threshold);
            EXPECT_EQ(timing.skipped(), step.skipped) << threshold << " " << step.accumulated;
            EXPECT_EQ(timing.accumulated(), step.remaining) << threshold << " " << step.accumulated;
        }
    }
}

TEST(FrameTimingTest, AFrameIsDueAtOneSixtiethOfASecond) {
    // The clock wraps at 2^32; the difference stays small.
    const std::tuple<uint32_t, uint32_t, bool> cases[] = {
        {0, 16, false}, {0, 17, true}, {UINT32_MAX - 5, 11, true}, {UINT32_MAX - 5, 4, false}};
    for (const auto& [last, now, due] : cases) {
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
