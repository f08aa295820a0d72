// Test-only faults of the headless host: start-up and display-switch steps it is told to
// fail, so each failure message, the fall-back from full screen and the exit status can be
// tested end to end. The rules come from the environment variable TAVRO_HEADLESS_FAIL: a
// comma-separated list of steps ("window", "fullscreen", "device", "font"), each failing every
// attempt, or with ":N" only its Nth attempt (counted from 1).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavro {

inline constexpr const char* kHeadlessFaultsVariable = "TAVRO_HEADLESS_FAIL";

enum class HeadlessStep { kWindow, kFullScreen, kDevice, kFont };

class HeadlessFaults {
  public:
    // False, with the reason, for a text that is not a list of rules.
    bool parse(std::string_view rules, std::string& error);
    // Counts one attempt of the step; true when that attempt is to fail.
    bool failAttempt(HeadlessStep step);

  private:
    struct Rule {
        bool active = false;
        uint32_t failingAttempt = 0;  // 0: every attempt
        uint32_t attempts = 0;
    };
    Rule rules_[4];
};

}  // namespace tavro
