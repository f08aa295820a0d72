// The web build's faces: no installed fonts to ask about, only the IPA Gothic file the page
// carries at the path Debian installs it to.
#include <sys/stat.h>

#include "host/fonts/face_finder.h"

namespace tavro {

namespace {

constexpr const char* kCarriedFallback = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

}  // namespace

struct FaceFinder::State {};

FaceFinder::FaceFinder() = default;

FaceFinder::~FaceFinder() = default;

bool FaceFinder::find(const std::string&, FaceFile&) {
    return false;
}

bool FaceFinder::fallback(FaceFile& face) {
    struct stat status;
    if (stat(kCarriedFallback, &status) != 0) {
        return false;
    }
    face = FaceFile{kCarriedFallback, 0, false};
    return true;
}

}  // namespace tavro
