#include "sound/music_player.h"

#include <string>

#include "sound/wave_reader.h"
#include "text/messages.h"

namespace tavro {

namespace {

constexpr Severity kMusicSeverity = Severity::kNotice;

}  // namespace

bool hasStandardMidiSuffix(std::string_view name) {
    return name.ends_with("mid");
}

MusicPlayer::MusicPlayer(MusicSynth* synth, AudioOutput* output, FileSystem& files, ErrorSink& log)
    : synth_(synth), output_(output), files_(files), log_(log) {}

bool MusicPlayer::playMusic(const TextString& fileName) {
    stopMusic();
    if (fileName.empty()) {
        return false;
    }
    std::string bytes;
    bool readable = files_.readFile(fileName.view(), bytes, FileKind::kMusic);
    if (readable && isRiffWave(bytes)) {
        playing_ = playWave(bytes);
    } else if (!synth_) {
        recordFailure(kMusicSynthLabel);
        return false;
    } else {
        if (const std::string_view suffix = synth_->songSuffix(); readable && !suffix.empty()) {
            readable =
                files_.readFile(std::string(fileName.view()) += suffix, bytes, FileKind::kMusic);
        }
        playing_ = readable && synth_->play(bytes, hasStandardMidiSuffix(fileName.view()));
    }
    if (!playing_) {
        recordFailure(kMusicSongLabel);
    }
    return playing_;
}

void MusicPlayer::stopMusic() {
    if (synth_) {
        synth_->stop();
    }
    if (output_) {
        output_->releaseVoice(waveVoice_);
        output_->releaseMaster(waveMaster_);
    }
    waveVoice_ = -1;
    waveMaster_ = -1;
    playing_ = false;
}

bool MusicPlayer::playWave(std::string_view file) {
    WaveFile wave;
    if (!output_ || parseWave(file, wave) != WaveFault::none) {
        return false;
    }
    const auto* samples = reinterpret_cast<const uint8_t*>(wave.samples.data());
    waveMaster_ =
        output_->createMusicMaster(wave.format.pcmFormat(), {samples, wave.samples.size()});
    waveVoice_ = output_->createVoice(waveMaster_);
    if (waveVoice_ < 0) {
        return false;
    }
    output_->play(waveVoice_, true);
    return true;
}

void MusicPlayer::recordFailure(const char* label) {
    log_.record(label, kMusicSeverity);
}

}  // namespace tavro
