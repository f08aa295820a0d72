#include "host/fonts/face_finder.h"

#include <fontconfig/fontconfig.h>

#include <cctype>
#include <map>
#include <optional>

namespace tavro {

namespace {

constexpr const char* kFallbackFamily = "IPAGothic";

const FcChar8* FcText(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

// A family name as fontconfig compares them: without blanks, ASCII letters in lower case.
std::string FoldedName(const char* name) {
    std::string folded;
    for (; *name != '\0'; ++name) {
        if (*name != ' ') {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(*name)));
        }
    }
    return folded;
}

bool CarriesFamily(FcPattern* font, const char* family) {
    const std::string wanted = FoldedName(family);
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (FoldedName(reinterpret_cast<const char*>(name)) == wanted) {
            return true;
        }
    }
    return false;
}

FcPattern* BoldPattern() {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    return pattern;
}

}  // namespace

struct FaceFinder::State {
    ~State() {
        if (config_ != nullptr) {
            FcConfigDestroy(config_);
        }
    }

    // fontconfig's configuration, loaded on the first question; null when it does not load.
    FcConfig* config() {
        if (!configLoaded_) {
            config_ = FcInitLoadConfigAndFonts();
            configLoaded_ = true;
        }
        return config_;
    }

    // The best match for a pattern; with a family to insist on, false unless the match
    // carries it.
    bool match(FcPattern* pattern, const char* requiredFamily, FaceFile& face);

    std::map<std::string, std::optional<FaceFile>> known;  // none: no such family

  private:
    FcConfig* config_ = nullptr;
    bool configLoaded_ = false;
};

FaceFinder::FaceFinder() : state_(std::make_unique<State>()) {}

FaceFinder::~FaceFinder() = default;

bool FaceFinder::State::match(FcPattern* pattern, const char* requiredFamily, FaceFile& face) {
    FcConfigSubstitute(config(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* font = FcFontMatch(config(), pattern, &result);
    FcPatternDestroy(pattern);
    if (font == nullptr) {
        return false;
    }
    FcChar8* path = nullptr;
    int index = 0;
    int weight = FC_WEIGHT_REGULAR;
    const bool found = FcPatternGetString(font, FC_FILE, 0, &path) == FcResultMatch &&
                       (requiredFamily == nullptr || CarriesFamily(font, requiredFamily));
    if (found) {
        // A face without a bold style matches with the weight asked for and a note that its
        // bold is to be synthesised.
        FcBool embolden = FcFalse;
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden);
        face = FaceFile{reinterpret_cast<const char*>(path), index,
                        weight >= FC_WEIGHT_BOLD && embolden != FcTrue};
    }
    FcPatternDestroy(font);
    return found;
}

bool FaceFinder::find(const std::string& family, FaceFile& face) {
    if (family.empty() || state_->config() == nullptr) {
        return false;
    }
    auto known = state_->known.find(family);
    if (known == state_->known.end()) {
        FcPattern* pattern = BoldPattern();
        FcPatternAddString(pattern, FC_FAMILY, FcText(family.c_str()));
        FaceFile matched;
        known = state_->known.emplace(family, std::nullopt).first;
        if (state_->match(pattern, family.c_str(), matched)) {
            known->second = matched;
        }
    }
    if (known->second) {
        face = *known->second;
    }
    return known->second.has_value();
}

bool FaceFinder::fallback(FaceFile& face) {
    if (find(kFallbackFamily, face)) {
        return true;
    }
    if (state_->config() == nullptr) {
        return false;
    }
    FcPattern* pattern = BoldPattern();
    FcPatternAddString(pattern, FC_LANG, FcText("ja"));
    return state_->match(pattern, nullptr, face);
}

}  // namespace tavro
