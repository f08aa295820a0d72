// FrameTiming: the 60 Hz pacing of the frame loop. Time accumulates in whole unsigned 32-bit
// milliseconds; a frame is due at 1000/60 ms. A drawn frame consumes 16 ms at a time and
// drops any backlog beyond one period; when the time of a frame passes 1000 / threshold the
// picture is skipped (at most every second frame) and the backlog is kept for the next.
#pragma once

#include <cstdint>

namespace tavro {

inline constexpr double kFramePeriod = 1000.0 / 60.0;
inline constexpr uint32_t kFrameDecrement = 16;
inline constexpr uint32_t kFrameRateInterval = 500;

class FrameTiming {
  public:
    // Restarts the measurement at `now`, so time before it never accumulates.
    void resynchronise(uint32_t now) { lastTime_ = now; }
    // Adds the time since the last measurement (wrapping); true when a frame is due.
    bool advance(uint32_t now);
    // The frame-rate sum: true (with the new fps) when the summed time passes 500 ms.
    bool updateFrameRate(double& fps);
    // Decides whether this frame's picture is skipped and consumes the frame's time.
    void decideSkip(uint32_t threshold);

    bool skipped() const { return skip_; }
    uint32_t accumulated() const { return accumulated_; }
    void setAccumulated(uint32_t milliseconds) { accumulated_ = milliseconds; }

  private:
    uint32_t lastTime_ = 0;
    uint32_t accumulated_ = 0;
    uint32_t rateTime_ = 0;
    bool skip_ = false;
};

}  // namespace tavro
