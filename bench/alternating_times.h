// Two pieces of work timed in turn within every iteration, so their ratio compares the same
// moments of a shared, noisy machine.
#pragma once

#include <benchmark/benchmark.h>

namespace tavro::bench {

struct AlternatingTimes {
    double first = 0;  // seconds, summed over the iterations
    double second = 0;
};

// Runs first() then second() each iteration, timing each by `seconds` (a clock in seconds).
template <typename Clock, typename First, typename Second>
AlternatingTimes timeAlternately(benchmark::State& state, Clock seconds, First first,
                                 Second second) {
    AlternatingTimes times;
    for (auto _ : state) {
        const double start = seconds();
        first();
        const double middle = seconds();
        second();
        times.second += seconds() - middle;
        times.first += middle - start;
    }
    return times;
}

// Summed seconds as milliseconds per iteration.
inline double millisecondsPerIteration(const benchmark::State& state, double seconds) {
    return seconds * 1e3 / static_cast<double>(state.iterations());
}

}  // namespace tavro::bench
