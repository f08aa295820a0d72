// The headless host's compositor: the shared pixman compositor with no frame sink, whose back
// buffer can be refused by a test-only fault.
#pragma once

#include "host/compositor/pixman_compositor.h"
#include "host/headless/headless_faults.h"

namespace tavro {

class HeadlessCompositor : public PixmanCompositor {
  public:
    explicit HeadlessCompositor(HeadlessFaults* faults = nullptr) : faults_(faults) {}

    bool createBackBuffer(int32_t width, int32_t height) override {
        if (faults_ != nullptr && faults_->failAttempt(HeadlessStep::kDevice)) {
            return false;
        }
        return PixmanCompositor::createBackBuffer(width, height);
    }

  private:
    HeadlessFaults* faults_;
};

}  // namespace tavro
