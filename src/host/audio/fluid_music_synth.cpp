#include "host/audio/fluid_music_synth.h"

#include <fluidsynth.h>

#include <algorithm>

#include "host/audio/mixer.h"
#include "sound/midi_file_check.h"

namespace tavro {

namespace {

// The General MIDI "system on" message, without its F0 and F7 framing.
constexpr char kGeneralMidiOn[] = {0x7E, 0x7F, 0x09, 0x01};

}  // namespace

struct FluidMusicSynth::Fluid {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    bool soundFontLoaded = false;
};

FluidMusicSynth::FluidMusicSynth(const std::string& soundFontPath, float gain)
    : fluid_(std::make_unique<Fluid>()) {
    fluid_->settings = new_fluid_settings();
    fluid_settings_setnum(fluid_->settings, "synth.sample-rate", kMixRate);
    fluid_settings_setnum(fluid_->settings, "synth.gain", gain);
    fluid_settings_setstr(fluid_->settings, "player.timing-source", "sample");
    // The loop must not reset the synthesiser: notes and controllers carry over the seam.
    fluid_settings_setint(fluid_->settings, "player.reset-synth", 0);
    fluid_->synth = new_fluid_synth(fluid_->settings);
    fluid_->soundFontLoaded =
        fluid_->synth &&
        fluid_synth_sfload(fluid_->synth, soundFontPath.c_str(), 1) != FLUID_FAILED;
}

FluidMusicSynth::~FluidMusicSynth() {
    endSong();
    if (fluid_->synth) {
        delete_fluid_synth(fluid_->synth);
    }
    delete_fluid_settings(fluid_->settings);
}

bool FluidMusicSynth::ready() const {
    return fluid_->soundFontLoaded;
}

bool FluidMusicSynth::play(std::string_view midiFile, bool standardMidiFile) {
    std::lock_guard lock(mutex_);
    endSong();
    const MidiSongShape shape = inspectMidiSong(midiFile);
    if (!ready() || shape == MidiSongShape::kUnreadable || shape == MidiSongShape::kTooDense) {
        return false;
    }
    if (shape == MidiSongShape::kNoLength) {
        return true;  // silence: looping it would restart it for ever within one render
    }
    resetForSong(standardMidiFile);
    fluid_->player = new_fluid_player(fluid_->synth);
    if (!fluid_->player ||
        fluid_player_add_mem(fluid_->player, midiFile.data(), midiFile.size()) != FLUID_OK) {
        endSong();
        return false;
    }
    fluid_player_set_loop(fluid_->player, -1);
    if (fluid_player_play(fluid_->player) != FLUID_OK) {
        endSong();
        return false;
    }
    return true;
}

void FluidMusicSynth::resetForSong(bool standardMidiFile) {
    fluid_synth_system_reset(fluid_->synth);
    if (standardMidiFile) {
        fluid_synth_sysex(fluid_->synth, kGeneralMidiOn, sizeof kGeneralMidiOn, nullptr, nullptr,
                          nullptr, 0);
    }
}

void FluidMusicSynth::startEvents(bool standardMidiFile) {
    std::lock_guard lock(mutex_);
    endSong();
    if (ready()) {
        resetForSong(standardMidiFile);
    }
}

void FluidMusicSynth::send(const MidiEvent& event) {
    std::lock_guard lock(mutex_);
    fluid_synth_t* synth = fluid_->synth;
    if (!ready()) {
        return;
    }
    const auto data = [&](size_t i) { return i < event.data.size() ? event.data[i] & 0x7F : 0; };
    const int channel = event.status & 0x0F;
    switch (event.status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth, channel, data(0));
            break;
        case 0x90:
            fluid_synth_noteon(synth, channel, data(0), data(1));
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth, channel, data(0), data(1));
            break;
        case 0xB0:
            fluid_synth_cc(synth, channel, data(0), data(1));
            break;
        case 0xC0:
            fluid_synth_program_change(synth, channel, data(0));
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth, channel, data(0));
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth, channel, data(0) | data(1) << 7);
            break;
        default: {  // system exclusive: its bytes up to the closing F7
            std::string_view message = event.data;
            if (!message.empty() && static_cast<uint8_t>(message.back()) == 0xF7) {
                message.remove_suffix(1);
            }
            if (event.status == 0xF0 && !message.empty()) {
                fluid_synth_sysex(synth, message.data(), static_cast<int>(message.size()), nullptr,
                                  nullptr, nullptr, 0);
            }
        }
    }
}

void FluidMusicSynth::stop() {
    std::lock_guard lock(mutex_);
    endSong();
}

void FluidMusicSynth::endSong() {
    if (fluid_->player) {
        fluid_player_stop(fluid_->player);
        delete_fluid_player(fluid_->player);
        fluid_->player = nullptr;
    }
    if (fluid_->synth) {
        fluid_synth_all_sounds_off(fluid_->synth, -1);
    }
}

void FluidMusicSynth::render(float* stereo, uint32_t frames) {
    std::unique_lock lock(mutex_, std::try_to_lock);
    if (!lock.owns_lock() || !fluid_->synth) {
        std::fill(stereo, stereo + static_cast<size_t>(frames) * kMixChannels, 0.0f);
        return;
    }
    fluid_synth_write_float(fluid_->synth, static_cast<int>(frames), stereo, 0, 2, stereo, 1, 2);
}

std::string FluidMusicSynth::configuredDefaultSoundFont() {
    fluid_settings_t* settings = new_fluid_settings();
    char* path = nullptr;
    std::string result;
    if (fluid_settings_dupstr(settings, "synth.default-soundfont", &path) == FLUID_OK && path) {
        result = path;
        fluid_free(path);
    }
    delete_fluid_settings(settings);
    return result;
}

}  // namespace tavro
