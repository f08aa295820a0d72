// Time as the engine sees it: a wrapping millisecond counter and a sleep.
#pragma once

#include <cstdint>

namespace tavro {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since start, wrapping at 2^32.
    virtual uint32_t milliseconds() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
};

}  // namespace tavro
