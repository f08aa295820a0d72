// The threads that compose one frame's bands: band 0 on the calling thread, every other band
// on a worker of its own. The workers start with the first frame and sleep between frames.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tavro {

// At most this many bands.
inline constexpr int32_t kMaxBands = 8;

// The band count for this machine: TAVRO_THREADS when it holds a whole number from 1 to
// kMaxBands, otherwise the number of cores, at most kMaxBands.
int32_t DefaultBandCount();

class BandWorkers {
  public:
    // count is clamped to 1 .. kMaxBands.
    explicit BandWorkers(int32_t count);
    ~BandWorkers();
    BandWorkers(const BandWorkers&) = delete;
    BandWorkers& operator=(const BandWorkers&) = delete;

    int32_t count() const { return count_; }
    // Calls job(band) once for every band and returns when all calls have returned.
    void run(const std::function<void(int32_t band)>& job);

  private:
    void work(int32_t band);

    int32_t count_;
    std::vector<std::thread> threads_;  // bands 1 .. count - 1, started by the first run
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    const std::function<void(int32_t)>* job_ = nullptr;
    uint64_t generation_ = 0;  // one more for each run
    int32_t running_ = 0;      // workers still in the current run
    bool stopping_ = false;
};

}  // namespace tavro
