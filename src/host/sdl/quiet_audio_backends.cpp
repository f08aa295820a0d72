#include "host/sdl/quiet_audio_backends.h"

#include <dlfcn.h>

namespace tavro {

namespace {

// ALSA's error handler: file, line, function, error number, then a printf format.
using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAudioBackends() {
    // The library stays loaded: SDL opens the same one, and the handler must outlive it.
    void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_GLOBAL);
    if (alsa == nullptr) {
        return;
    }
    if (auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
        set != nullptr) {
        set(&ignoreAlsaError);
    }
}

}  // namespace tavro
