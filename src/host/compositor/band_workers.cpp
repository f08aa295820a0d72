#include "host/compositor/band_workers.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace tavro {

int32_t DefaultBandCount() {
    if (const char* text = std::getenv("TAVRO_THREADS")) {
        int32_t count = 0;
        const char* end = text + std::strlen(text);
        const auto [last, error] = std::from_chars(text, end, count);
        if (error == std::errc() && last == end && count >= 1 && count <= kMaxBands) {
            return count;
        }
    }
    const auto cores = static_cast<int32_t>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, kMaxBands);
}

BandWorkers::BandWorkers(int32_t count) : count_(std::clamp(count, 1, kMaxBands)) {}

BandWorkers::~BandWorkers() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void BandWorkers::run(const std::function<void(int32_t band)>& job) {
    if (count_ == 1) {
        job(0);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        job_ = &job;
        running_ = count_ - 1;
        ++generation_;
    }
    if (threads_.empty()) {
        for (int32_t band = 1; band < count_; ++band) {
            threads_.emplace_back(&BandWorkers::work, this, band);
        }
    } else {
        wake_.notify_all();
    }
    job(0);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return running_ == 0; });
    job_ = nullptr;
}

void BandWorkers::work(int32_t band) {
    uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
        if (stopping_) {
            return;
        }
        seen = generation_;
        const std::function<void(int32_t)>& job = *job_;
        lock.unlock();
        job(band);
        lock.lock();
        if (--running_ == 0) {
            done_.notify_one();
        }
    }
}

}  // namespace tavro
