#include "author/web_font.h"

#include <hb-subset.h>

#include <algorithm>
#include <memory>

#include "text/shift_jis.h"

namespace tavro {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

constexpr Range kEveryGameRanges[] = {
    {0x20, 0x7E},      // ASCII
    {0x3000, 0x30FF},  // CJK symbols and punctuation, hiragana, katakana
    {0xFF00, 0xFFEF},  // half-width and full-width forms
};

// The code points of valid UTF-8.
void addUtf8Characters(std::string_view utf8, std::set<char32_t>& characters) {
    for (size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<uint8_t>(utf8[at]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t character = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t i = 1; i < length && at + i < utf8.size(); ++i) {
            character = character << 6 | (static_cast<uint8_t>(utf8[at + i]) & 0x3F);
        }
        characters.insert(character);
        at += length;
    }
}

template <typename T, void (*destroy)(T*)>
struct HarfBuzzDelete {
    void operator()(T* object) const { destroy(object); }
};
template <typename T, void (*destroy)(T*)>
using HarfBuzzPointer = std::unique_ptr<T, HarfBuzzDelete<T, destroy>>;
using Blob = HarfBuzzPointer<hb_blob_t, hb_blob_destroy>;
using Face = HarfBuzzPointer<hb_face_t, hb_face_destroy>;
using SubsetInput = HarfBuzzPointer<hb_subset_input_t, hb_subset_input_destroy>;

}  // namespace

std::set<char32_t> everyGameCharacters() {
    std::set<char32_t> characters;
    for (const Range& range : kEveryGameRanges) {
        for (char32_t character = range.first; character <= range.last; ++character) {
            characters.insert(character);
        }
    }
    return characters;
}

void addTextCharacters(std::string_view file, std::set<char32_t>& characters) {
    std::string utf8;
    if (file.find('\0') == std::string_view::npos && shiftJisToUtf8(file, utf8)) {
        addUtf8Characters(utf8, characters);
    }
}

bool subsetFont(const std::string& fontPath, const std::set<char32_t>& characters,
                std::string& subset, std::string& error) {
    const Blob blob(hb_blob_create_from_file_or_fail(fontPath.c_str()));
    if (!blob) {
        error = "the font " + fontPath + " cannot be read (install fonts-ipafont-gothic)";
        return false;
    }
    const Face face(hb_face_create(blob.get(), 0));
    const SubsetInput input(hb_subset_input_create_or_fail());
    if (!input) {
        error = "out of memory subsetting the font";
        return false;
    }
    hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
    for (const char32_t character : characters) {
        hb_set_add(unicodes, character);
    }
    const Face subsetFace(hb_subset_or_fail(face.get(), input.get()));
    if (!subsetFace) {
        error = "the font " + fontPath + " cannot be cut down to the game's characters";
        return false;
    }
    const Blob subsetBlob(hb_face_reference_blob(subsetFace.get()));
    unsigned int length = 0;
    const char* data = hb_blob_get_data(subsetBlob.get(), &length);
    subset.assign(data, length);
    return length > 0;
}

}  // namespace tavro
