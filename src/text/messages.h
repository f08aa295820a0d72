// The engine's user-visible texts: the labels of its error-log records, the texts of its
// message boxes, Japanese ones as the Shift-JIS bytes the games expect. Each constant's comment
// gives its meaning. The English line a box adds below each is in english_messages.cpp.
#pragma once

namespace tavro {

// The labels of the error-log records, as the games' logs name them.
inline constexpr const char* kFontLabel = "Font";                          // a font not made
inline constexpr const char* kDeviceLabel = "D3DDevice";                   // no back buffer
inline constexpr const char* kImageInfoLabel = "ImageInfo";                // no image read
inline constexpr const char* kCreateTextureLabel = "CreateTexture";        // no pixels made
inline constexpr const char* kSoundDeviceLabel = "DirectSound";            // no audio output
inline constexpr const char* kSoundCopyLabel = "copy [";                   // no sound read
inline constexpr const char* kSoundVoiceLabel = "Duplicate";               // no voice for a sound
inline constexpr const char* kMusicSynthLabel = "DireceMusicPerformance";  // no synthesiser
inline constexpr const char* kMusicSongLabel = "DireceMusicSegment";       // no song read
inline constexpr const char* kScriptCallLimitLabel =
    "script( calls in one frame past the limit: calls not run";
inline constexpr const char* kObjectLimitLabel = "object limit reached: new object not created";

// The caption of every message box.
inline constexpr const char* kMessageCaption = "report";
// The runtime's name and version: the default window title and what --version prints.
inline constexpr const char* kVersionName = "Tavro version 1.00";

// a negative value was given as an array index
inline constexpr const char* kNegativeArrayIndexMessage =
    "\x94z\x97\xf1\x82\xcc\x93Y\x82\xa6\x8e\x9a\x82\xc9\x83}\x83"
    "C\x83i\x83X\x92l\x82\xaa\x8ew\x92\xe8\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd";
// invalid file name
inline constexpr const char* kInvalidFileNameMessage =
    "\x96\xb3\x8c\xf8\x82\xc8\x83t\x83@\x83"
    "C\x83\x8b\x96\xbc";
// file open failed [
inline constexpr const char* kFileOpenFailedPrefix =
    "\x83t\x83@\x83"
    "C\x83\x8b\x83I\x81[\x83v\x83\x93\x8e\xb8\x94s [";
// a missing script file's text comes from the script bundle
inline constexpr const char* kBundleSubstituteScriptMessage = "...substit from package";
// ...substituting the package file's data
inline constexpr const char* kBundleSubstituteAnimationMessage =
    "...\x83p\x83"
    "b\x83P\x81[\x83W\x83t\x83@\x83"
    "C\x83\x8b\x82\xcc\x83"
    "f\x81[\x83^\x82\xf0\x91\xe3\x97p\x82\xb5\x82\xdc\x82\xb7";
// syntax error: the nesting cannot be parsed
inline constexpr const char* kSyntaxErrorMessage =
    "\x8d\x5c\x95\xb6\x83G\x83\x89\x81[ : \x83l\x83X\x83g\x82\xf0\x89\xf0\x90\xcd\x82\xc5"
    "\x82\xab\x82\xdc\x82\xb9\x82\xf1";

// the loop count is abnormal, it may be stuck in an infinite loop; end the program here?
inline constexpr const char* kRunawayLoopQuestion =
    "\x83\x8b\x81[\x83v\x89\xf1\x90\x94\x82\xaa\x88\xd9\x8f\xed\x82\xc5\x82\xb7\x81"
    "B\x96\xb3\x8c\xc0\x83\x8b\x81["
    "\x83v\x82\xc9\x8a\xd7\x82\xc1\x82\xc4\x82\xa2\x82\xe9\x89\xc2\x94\\\x90\xab\x82\xaa\x82\xa0"
    "\x82\xe8\x82\xdc\x82\xb7\x81"
    "B\x0a\x82\xb1\x82\xcc\x8f\xea\x82\xc5\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82\xf0\x8fI\x97\xb9"
    "\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H";

// The messages of start-up and of the display-mode switch.
// creating the window failed
inline constexpr const char* kWindowCreationFailedMessage =
    "\x83"
    "E\x83"
    "B\x83\x93\x83h\x83"
    "E\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";
// starting in full screen failed; the window size may be unsuitable
inline constexpr const char* kFullScreenFailedMessage =
    "\x83t\x83\x8b\x83X\x83N\x83\x8a\x81["
    "\x83\x93\x82\xc5\x82\xcc\x8bN\x93\xae\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B\x0a\x83"
    "E\x83"
    "B\x83\x93\x83h\x83"
    "E\x83T\x83"
    "C\x83Y\x82\xcc\x90\xdd\x92\xe8\x82\xaa\x93K\x90\xd8\x82\xc5\x82\xc8\x82\xa2\x89\xc2\x94\\\x90"
    "\xab\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81"
    "B";
// creating the back buffer failed
inline constexpr const char* kBackBufferFailedMessage =
    "\x83o\x83"
    "b\x83N\x83o\x83"
    "b\x83t\x83@\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";
// creating the sound device failed
inline constexpr const char* kSoundDeviceFailedMessage =
    "\x83T\x83"
    "E\x83\x93\x83h\x83"
    "f\x83o\x83"
    "C\x83X\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";
// creating the font failed
inline constexpr const char* kFontFailedMessage =
    "\x83t\x83H\x83\x93\x83g\x82\xcc\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5"
    "\x82\xbd\x81"
    "B";
// the boot task cannot be loaded
inline constexpr const char* kBootTaskMissingMessage =
    "boot\x83^\x83X\x83N\x82\xf0\x83\x8d\x81[\x83h\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81"
    "B";

// The display-mode switch (F11).
// switching to full screen failed; the window size may be unsuitable
inline constexpr const char* kFullScreenSwitchFailedMessage =
    "\x83\x74\x83\x8b\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93\x82\xd6\x82\xcc\x90\xd8"
    "\x82\xe8\x91\xd6\x82\xa6\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd"
    "\x81\x42\x0a\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x83\x54\x83\x43\x83\x59\x82"
    "\xcc\x90\xdd\x92\xe8\x82\xaa\x93\x4b\x90\xd8\x82\xc5\x82\xc8\x82\xa2\x89\xc2\x94"
    "\x5c\x90\xab\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x81\x42";
// re-building the back buffer failed
inline constexpr const char* kBackBufferRebuildFailedMessage =
    "\x83\x6f\x83\x62\x83\x4e\x83\x6f\x83\x62\x83\x74\x83\x40\x82\xcc\x8d\xc4\x8d\x5c"
    "\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// re-building the texture data failed
inline constexpr const char* kTextureRebuildFailedMessage =
    "\x83\x65\x83\x4e\x83\x58\x83\x60\x83\x83\x83\x66\x81\x5b\x83\x5e\x82\xcc\x8d\xc4"
    "\x8d\x5c\x90\xac\x82\xc9\x8e\xb8\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";
// re-building the font failed
inline constexpr const char* kFontRebuildFailedMessage =
    "\x83\x74\x83\x48\x83\x93\x83\x67\x82\xcc\x8d\xc4\x8d\x5c\x90\xac\x82\xc9\x8e\xb8"
    "\x94\x73\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

}  // namespace tavro
