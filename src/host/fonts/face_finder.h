// Finding font files with fontconfig: a face by its family name, preferring its bold style,
// and the Japanese-capable fallback face (IPA Gothic) for the default face, for names no
// installed face carries and for characters a face lacks. Answers are remembered per name.
#pragma once

#include <map>
#include <optional>
#include <string>

#include <fontconfig/fontconfig.h>

namespace tavro {

struct FaceFile {
    std::string path;
    int index = 0;      // the face within a collection file
    bool bold = false;  // the file's own style is bold, so no bold is synthesised
};

class FaceFinder {
  public:
    FaceFinder() = default;
    ~FaceFinder();
    FaceFinder(const FaceFinder&) = delete;
    FaceFinder& operator=(const FaceFinder&) = delete;

    // The installed face of this family (UTF-8, compared ignoring case and blanks); false
    // when there is none.
    bool find(const std::string& family, FaceFile& face);
    // IPA Gothic, or else whichever face fontconfig offers for Japanese.
    bool fallback(FaceFile& face);

  private:
    // The best match for a pattern; with a family to insist on, false unless the match
    // carries it.
    bool match(FcPattern* pattern, const char* requiredFamily, FaceFile& face);
    // fontconfig's configuration, loaded on the first question; null when it does not load.
    FcConfig* config();

    FcConfig* config_ = nullptr;
    bool configLoaded_ = false;
    std::map<std::string, std::optional<FaceFile>> known_;  // none: no such family
};

}  // namespace tavro
