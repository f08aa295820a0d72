// The font a web export carries: IPA Gothic cut down to the characters the game can show,
// through HarfBuzz's subset library.
#pragma once

#include <set>
#include <string>
#include <string_view>

namespace tavro {

inline constexpr const char* kWebFontSource = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// ASCII, the CJK symbols, kana and full-width forms: what any game may show.
std::set<char32_t> everyGameCharacters();
// Adds the characters of a game file that reads as Shift-JIS text (no NUL byte, every
// sequence valid); any other file adds none.
void addTextCharacters(std::string_view file, std::set<char32_t>& characters);

// The font at `fontPath` with the glyphs of `characters` only; false, with a one-line error.
bool subsetFont(const std::string& fontPath, const std::set<char32_t>& characters,
                std::string& subset, std::string& error);

}  // namespace tavro
