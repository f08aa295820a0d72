// The engine's user-visible texts shared below the shell, Japanese ones as the Shift-JIS bytes
// the games expect. Each constant's comment gives its meaning; the shell's start-up messages
// are in shell/shell_messages.h.
#pragma once

namespace tavro {

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

}  // namespace tavro
