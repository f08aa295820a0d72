// The real clock: SDL's millisecond counter and sleep.
#pragma once

#include "host/clock.h"

namespace tavro {

class SdlClock : public Clock {
  public:
    SdlClock();
    ~SdlClock() override;
    SdlClock(const SdlClock&) = delete;
    SdlClock& operator=(const SdlClock&) = delete;

    uint32_t milliseconds() override;
    void sleep(uint32_t milliseconds) override;
};

}  // namespace tavro
