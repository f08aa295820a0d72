// Background music as the engine sees it: one Standard MIDI File at a time, looping forever.
#pragma once

#include <string_view>

namespace tavro {

class MusicSynth {
  public:
    virtual ~MusicSynth() = default;

    // Silences and resets the synthesiser, then plays the file from its start, looping
    // forever without a gap (a song that lasts no tick plays as silence). A standard MIDI file
    // is played in General MIDI mode (bank selects ignored). False, with nothing playing, when
    // the file cannot be parsed.
    virtual bool play(std::string_view midiFile, bool standardMidiFile) = 0;
    // Ends the song and silences the synthesiser.
    virtual void stop() = 0;
    // Appended to a song's name, the file to hand to play() instead of the song itself: empty
    // for the file as the game names it, ".ogg" for its rendering made ahead of time.
    virtual const char* songSuffix() const { return ""; }
};

}  // namespace tavro
