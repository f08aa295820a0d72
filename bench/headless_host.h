// Everything a headless Engine takes from its host, for the benchmarks that run whole games:
// a virtual clock, a scripted window, dialogs answered Yes, the compositor, the fonts and a
// mixer.
#pragma once

#include "host/audio/mixer.h"
#include "host/compositor/pixman_compositor.h"
#include "host/file_system.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "shell/engine.h"

namespace tavro::bench {

struct HeadlessHost {
    explicit HeadlessHost(FileSystem& files) : files(files) {}
    HostServices services() {
        return {clock, display, dialogs, files, compositor, &mixer, nullptr, &fonts};
    }

    FileSystem& files;
    VirtualClock clock;
    HeadlessDisplay display;
    HeadlessDialogs dialogs{true};
    PixmanCompositor compositor;
    TtfFontRenderer fonts;
    Mixer mixer;  // without one start-up fails for want of a sound device
};

}  // namespace tavro::bench
