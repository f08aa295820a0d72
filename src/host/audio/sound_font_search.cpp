#include "host/audio/sound_font_search.h"
#include "text/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace tavro {

namespace {

constexpr const char* kSystemSoundFonts[] = {"default-GM.sf2", "FluidR3_GM.sf2", "TimGM6mb.sf2"};

bool isRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool hasSoundFontExtension(const std::filesystem::path& path) {
    const std::string extension = path.extension().string();
    return equalIgnoringAsciiCase(extension, ".sf2") || equalIgnoringAsciiCase(extension, ".sf3");
}

// The one soundfont in the folder; empty when there is none or more than one.
std::string singleSoundFontIn(const std::string& folder) {
    std::error_code error;
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (hasSoundFontExtension(entry.path()) && isRegularFile(entry.path())) {
            found.push_back(entry.path().string());
        }
    }
    return found.size() == 1 ? found.front() : std::string();
}

}  // namespace

std::string findSoundFont(const SoundFontSearch& search) {
    if (!search.explicitPath.empty()) {
        return search.explicitPath;
    }
    if (!search.gameFolder.empty()) {
        if (std::string inGame = singleSoundFontIn(search.gameFolder); !inGame.empty()) {
            return inGame;
        }
    }
    if (!search.configuredDefault.empty() && isRegularFile(search.configuredDefault)) {
        return search.configuredDefault;
    }
    for (const char* name : kSystemSoundFonts) {
        const std::string path = search.systemFolder + "/" + name;
        if (isRegularFile(path)) {
            return path;
        }
    }
    return {};
}

}  // namespace tavro
