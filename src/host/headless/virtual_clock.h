// The headless clock: time moves only when the program sleeps, by exactly the time slept, so
// frame pacing runs as on a real clock but as fast as the CPU allows, and every run repeats.
#pragma once

#include "host/clock.h"

namespace tavro {

class VirtualClock : public Clock {
  public:
    uint32_t milliseconds() override { return now_; }
    void sleep(uint32_t milliseconds) override { now_ += milliseconds; }  // wraps like the real one

  private:
    uint32_t now_ = 0;
};

}  // namespace tavro
