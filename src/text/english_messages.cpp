#include "text/english_messages.h"

#include "text/messages.h"

namespace tavro {

namespace {

struct EnglishLine {
    const char* japanese;
    const char* english;
};

constexpr EnglishLine kEnglishLines[] = {
    {kSyntaxErrorMessage, "Syntax error: the nesting of the blocks cannot be read."},
    {kRunawayLoopQuestion,
     "A loop has run an unusual number of times and may never end. End the program here?"},
    {kWindowCreationFailedMessage, "The window could not be created."},
    {kFullScreenFailedMessage,
     "Starting in full screen failed. The window size may not suit this display."},
    {kBackBufferFailedMessage, "The back buffer could not be created."},
    {kSoundDeviceFailedMessage, "The sound device could not be created."},
    {kFontFailedMessage, "The font could not be created."},
    {kBootTaskMissingMessage, "The boot task cannot be loaded."},
    {kFullScreenSwitchFailedMessage,
     "Switching to full screen failed. The window size may not suit this display."},
    {kBackBufferRebuildFailedMessage, "The back buffer could not be rebuilt."},
    {kTextureRebuildFailedMessage, "The textures could not be rebuilt."},
    {kFontRebuildFailedMessage, "The font could not be rebuilt."},
};

}  // namespace

const char* englishMessageFor(std::string_view shiftJisText) {
    for (const EnglishLine& line : kEnglishLines) {
        if (shiftJisText == line.japanese) {
            return line.english;
        }
    }
    return nullptr;
}

}  // namespace tavro
