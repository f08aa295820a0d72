// Finding font files: a face by its family name, preferring its bold style, and the
// Japanese-capable fallback face (IPA Gothic) for the default face, for names no installed
// face carries and for characters a face lacks. The desktop asks fontconfig
// (face_finder.cpp); the web build has only the IPA Gothic file it carries
// (face_finder_web.cpp).
#pragma once

#include <memory>
#include <string>

namespace tavro {

struct FaceFile {
    std::string path;
    int index = 0;      // the face within a collection file
    bool bold = false;  // the file's own style is bold, so no bold is synthesised
};

class FaceFinder {
  public:
    FaceFinder();
    ~FaceFinder();
    FaceFinder(const FaceFinder&) = delete;
    FaceFinder& operator=(const FaceFinder&) = delete;

    // The installed face of this family (UTF-8, compared ignoring case and blanks); false
    // when there is none.
    bool find(const std::string& family, FaceFile& face);
    // IPA Gothic, or else whichever face fontconfig offers for Japanese.
    bool fallback(FaceFile& face);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace tavro
