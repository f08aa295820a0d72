// The threads that compose one frame: the calling thread and the workers take the frame's
// tasks (bands, tinted sources) one at a time until none is left, so a worker the system
// leaves asleep delays nothing but the task it holds. The workers start with the first frame
// and sleep between frames.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tavro {

// At most this many threads.
inline constexpr int32_t kMaxThreads = 8;

// The thread count for this machine: TAVRO_THREADS when it holds a whole number from 1 to
// kMaxThreads, otherwise the number of cores, at most kMaxThreads.
int32_t DefaultThreadCount();

class BandWorkers {
  public:
    // threads is clamped to 1 .. kMaxThreads; the calling thread is one of them.
    explicit BandWorkers(int32_t threads);
    ~BandWorkers();
    BandWorkers(const BandWorkers&) = delete;
    BandWorkers& operator=(const BandWorkers&) = delete;

    int32_t threads() const { return threads_; }
    // Calls job(task) once for every task from 0 to tasks - 1, spread over the threads, and
    // returns when all calls have returned.
    void run(int32_t tasks, const std::function<void(int32_t task)>& job);

  private:
    void work();
    // Takes and runs tasks until none is left.
    void takeTasks();

    int32_t threads_;
    std::vector<std::thread> workers_;  // started by the first run
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    // The current run; set under the mutex before the workers are woken.
    const std::function<void(int32_t)>* job_ = nullptr;
    int32_t tasks_ = 0;
    std::atomic<int32_t> nextTask_{0};
    std::atomic<int32_t> unfinished_{0};
    uint64_t generation_ = 0;  // one more for each run
    int32_t attached_ = 0;     // workers taking tasks of the current run
    bool stopping_ = false;
};

}  // namespace tavro
