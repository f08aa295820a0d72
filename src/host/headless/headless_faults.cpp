#include "host/headless/headless_faults.h"

#include <charconv>

namespace tavro {

namespace {

constexpr std::string_view kStepNames[] = {"window", "fullscreen", "device", "font"};

}  // namespace

bool HeadlessFaults::parse(std::string_view rules, std::string& error) {
    while (!rules.empty()) {
        const size_t comma = rules.find(',');
        std::string_view rule = rules.substr(0, comma);
        rules = comma == std::string_view::npos ? std::string_view() : rules.substr(comma + 1);
        uint32_t attempt = 0;
        if (const size_t colon = rule.find(':'); colon != std::string_view::npos) {
            const std::string_view number = rule.substr(colon + 1);
            const auto parsed =
                std::from_chars(number.data(), number.data() + number.size(), attempt);
            if (parsed.ec != std::errc() || parsed.ptr != number.data() + number.size() ||
                attempt == 0) {
                error = "bad attempt number in " + std::string(rule);
                return false;
            }
            rule = rule.substr(0, colon);
        }
        size_t step = 0;
        while (step < std::size(kStepNames) && kStepNames[step] != rule) {
            ++step;
        }
        if (step == std::size(kStepNames)) {
            error = "unknown step " + std::string(rule);
            return false;
        }
        rules_[step] = Rule{true, attempt, 0};
    }
    return true;
}

bool HeadlessFaults::failAttempt(HeadlessStep step) {
    Rule& rule = rules_[static_cast<size_t>(step)];
    ++rule.attempts;
    return rule.active && (rule.failingAttempt == 0 || rule.failingAttempt == rule.attempts);
}

}  // namespace tavro
