#include "host/compositor/band_workers.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace tavro {

int32_t DefaultThreadCount() {
    if (const char* text = std::getenv("TAVRO_THREADS")) {
        int32_t count = 0;
        const char* end = text + std::strlen(text);
        const auto [last, error] = std::from_chars(text, end, count);
        if (error == std::errc() && last == end && count >= 1 && count <= kMaxThreads) {
            return count;
        }
    }
    const auto cores = static_cast<int32_t>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, kMaxThreads);
}

BandWorkers::BandWorkers(int32_t threads) : threads_(std::clamp(threads, 1, kMaxThreads)) {}

BandWorkers::~BandWorkers() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void BandWorkers::takeTasks() {
    for (int32_t task = nextTask_.fetch_add(1); task < tasks_; task = nextTask_.fetch_add(1)) {
        (*job_)(task);
        if (unfinished_.fetch_sub(1) == 1) {
            std::lock_guard lock(mutex_);
            done_.notify_all();
        }
    }
}

void BandWorkers::run(int32_t tasks, const std::function<void(int32_t task)>& job) {
    if (threads_ == 1 || tasks <= 1) {
        for (int32_t task = 0; task < tasks; ++task) {
            job(task);
        }
        return;
    }
    {
        std::lock_guard lock(mutex_);
        job_ = &job;
        tasks_ = tasks;
        nextTask_ = 0;
        unfinished_ = tasks;
        ++generation_;
    }
    if (workers_.empty()) {
        for (int32_t i = 1; i < threads_; ++i) {
            workers_.emplace_back(&BandWorkers::work, this);
        }
    } else {
        wake_.notify_all();
    }
    takeTasks();
    std::unique_lock lock(mutex_);
    // Workers still asleep are not waited for: they find the run over when they wake.
    done_.wait(lock, [this] { return unfinished_ == 0 && attached_ == 0; });
    job_ = nullptr;
}

void BandWorkers::work() {
    uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return stopping_ || (job_ != nullptr && generation_ != seen); });
        if (stopping_) {
            return;
        }
        seen = generation_;
        ++attached_;
        lock.unlock();
        takeTasks();
        lock.lock();
        if (--attached_ == 0) {
            done_.notify_all();
        }
    }
}

}  // namespace tavro
