#include "host/audio/fluid_log_capture.h"

#include <dlfcn.h>
#include <fluidsynth.h>

namespace tavro {

namespace {

constexpr int kLevels[] = {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG};

// GLib is reached at run time, where FluidSynth brought it in; Tavro does not link it.
using GlibLogHandler = void (*)(const char*, int, const char*, void*);
using SetGlibDefaultHandler = GlibLogHandler (*)(GlibLogHandler, void*);

SetGlibDefaultHandler glibSetter() {
    return reinterpret_cast<SetGlibDefaultHandler>(
        dlsym(RTLD_DEFAULT, "g_log_set_default_handler"));
}

void dropGlibMessage(const char*, int, const char*, void*) {}

}  // namespace

FluidLogCapture::FluidLogCapture() {
    for (const int level : kLevels) {
        fluid_set_log_function(level, &FluidLogCapture::keep, this);
    }
    if (const SetGlibDefaultHandler set = glibSetter(); set != nullptr) {
        glibDefault_ = reinterpret_cast<void (*)()>(set(&dropGlibMessage, nullptr));
    }
}

FluidLogCapture::~FluidLogCapture() {
    for (const int level : kLevels) {
        fluid_set_log_function(level, nullptr, nullptr);
    }
    if (const SetGlibDefaultHandler set = glibSetter(); set != nullptr && glibDefault_ != nullptr) {
        set(reinterpret_cast<GlibLogHandler>(glibDefault_), nullptr);
    }
}

void FluidLogCapture::keep(int level, const char* message, void* capture) {
    std::string& first = static_cast<FluidLogCapture*>(capture)->firstError_;
    if ((level == FLUID_PANIC || level == FLUID_ERR) && message != nullptr && first.empty()) {
        first = message;
    }
}

}  // namespace tavro
