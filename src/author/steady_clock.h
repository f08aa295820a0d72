// The clock of a watched headless run: real milliseconds, so the game runs at its own pace
// while files are edited, instead of as fast as the virtual clock allows.
#pragma once

#include <chrono>
#include <thread>

#include "host/clock.h"

namespace tavro {

class SteadyClock : public Clock {
  public:
    uint32_t milliseconds() override {
        return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now() - start_)
                                         .count());
    }
    void sleep(uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace tavro
