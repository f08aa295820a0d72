// The images the screen games draw, and the pixel comparison of their screenshots.
//   tavro_test_images make FOLDER       writes every test image into FOLDER
//   tavro_test_images compare WANT GOT  exit 0 when both PNG files hold the same pixels
//   tavro_test_images enlarge IN OUT N  writes IN enlarged N times with sharp pixels, to look
//                                       at a small reference closely
// The images are drawn here, pixel by pixel, so the references depend on nothing else.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

using Painter = std::function<uint32_t(int32_t x, int32_t y)>;  // straight ARGB

SDL_Surface* Paint(int32_t width, int32_t height, const Painter& painter) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int32_t y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                y * surface->pitch);
        for (int32_t x = 0; x < width; ++x) {
            row[x] = painter(x, y);
        }
    }
    return surface;
}

// Four opaque quadrants, red, green, blue and white from the top left in reading order, with
// a black dot in the red one: any turn or mirror shows.
uint32_t Quadrants(int32_t x, int32_t y) {
    if (x == 2 && y == 2) {
        return 0xFF000000;
    }
    const bool right = x >= 8;
    const bool bottom = y >= 8;
    return !bottom ? (right ? 0xFF00C000 : 0xFFE00000) : (right ? 0xFFFFFFFF : 0xFF0000E0);
}

// A 24 × 8 bar, yellow on its left third, magenta on the rest, a grey top row.
uint32_t Bar(int32_t x, int32_t y) {
    return y == 0 ? 0xFF808080 : (x < 8 ? 0xFFFFFF00 : 0xFFFF00FF);
}

// A 16 × 16 cyan square whose alpha falls from 255 on the left to 0 on the right, and a
// fully transparent centre.
uint32_t AlphaRamp(int32_t x, int32_t y) {
    const bool centre = x >= 6 && x < 10 && y >= 6 && y < 10;
    const auto alpha = static_cast<uint32_t>(centre ? 0 : 255 - x * 17);
    return alpha << 24 | 0x0000FFFF;
}

// A diagonal stripe pattern for telling point from smooth sampling.
uint32_t Stripes(int32_t x, int32_t y) {
    return ((x + y) / 2) % 2 == 0 ? 0xFFFFFFFF : 0xFF202020;
}

// A 32 × 8 sprite sheet of four 8 × 8 cells, red, green, blue and yellow from the left, each
// with a black dot one pixel in from its top-left corner, so a cut off or shifted cell shows.
uint32_t Cells(int32_t x, int32_t y) {
    if (x % 8 == 1 && y == 1) {
        return 0xFF000000;
    }
    const uint32_t colours[] = {0xFFE00000, 0xFF00C000, 0xFF0000E0, 0xFFE0E000};
    return colours[x / 8];
}

bool Make(const std::string& folder) {
    struct Image {
        const char* name;
        int32_t width, height;
        Painter painter;
    };
    const Image images[] = {
        {"quad.png", 16, 16, Quadrants},
        {"quad.bmp", 16, 16, Quadrants},
        {"quad.jpg", 16, 16, Quadrants},
        {"bar.png", 24, 8, Bar},
        {"alpha.png", 16, 16, AlphaRamp},
        {"stripes.png", 12, 12, Stripes},
        {"cells.png", 32, 8, Cells},
        {"white.png", 8, 8, [](int32_t, int32_t) { return 0xFFFFFFFFu; }},
    };
    bool ok = true;
    for (const Image& image : images) {
        SDL_Surface* surface = Paint(image.width, image.height, image.painter);
        const std::string path = folder + "/" + image.name;
        const std::string ending = path.substr(path.size() - 4);
        const int result = ending == ".bmp"   ? SDL_SaveBMP(surface, path.c_str())
                           : ending == ".jpg" ? IMG_SaveJPG(surface, path.c_str(), 90)
                                              : IMG_SavePNG(surface, path.c_str());
        ok = ok && result == 0;
        SDL_FreeSurface(surface);
    }
    // Broken files: a PNG cut off after its header, and text named as an image.
    std::ifstream whole(folder + "/quad.png", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
    std::ofstream(folder + "/truncated.png", std::ios::binary) << bytes.substr(0, 40);
    std::ofstream(folder + "/text.png", std::ios::binary) << "not an image\n";
    return ok;
}

SDL_Surface* LoadArgb(const char* path) {
    SDL_Surface* loaded = IMG_Load(path);
    if (loaded == nullptr) {
        std::fprintf(stderr, "cannot read %s: %s\n", path, IMG_GetError());
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    return argb;
}

bool Compare(const char* wanted, const char* got) {
    SDL_Surface* a = LoadArgb(wanted);
    SDL_Surface* b = LoadArgb(got);
    bool same = a != nullptr && b != nullptr;
    if (same && (a->w != b->w || a->h != b->h)) {
        std::fprintf(stderr, "size %dx%d, expected %dx%d\n", b->w, b->h, a->w, a->h);
        same = false;
    }
    int32_t differing = 0;
    for (int32_t y = 0; same && y < a->h; ++y) {
        const auto* rowA =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(a->pixels) + y * a->pitch);
        const auto* rowB =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(b->pixels) + y * b->pitch);
        for (int32_t x = 0; x < a->w; ++x) {
            if ((rowA[x] | 0xFF000000u) != (rowB[x] | 0xFF000000u) && differing++ < 5) {
                std::fprintf(stderr, "pixel (%d, %d) is %08X, expected %08X\n", x, y, rowB[x],
                             rowA[x]);
            }
        }
    }
    if (differing > 0) {
        std::fprintf(stderr, "%d pixels differ\n", differing);
    }
    SDL_FreeSurface(a);
    SDL_FreeSurface(b);
    return same && differing == 0;
}

bool Enlarge(const char* in, const char* out, int32_t factor) {
    SDL_Surface* source = LoadArgb(in);
    if (source == nullptr || factor < 1) {
        return false;
    }
    SDL_Surface* large = Paint(source->w * factor, source->h * factor, [&](int32_t x, int32_t y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(source->pixels) +
                                                            y / factor * source->pitch);
        return row[x / factor];
    });
    const bool ok = IMG_SavePNG(large, out) == 0;
    SDL_FreeSurface(large);
    SDL_FreeSurface(source);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make" && argc == 3) {
        return Make(argv[2]) ? 0 : 1;
    }
    if (command == "compare" && argc == 4) {
        return Compare(argv[2], argv[3]) ? 0 : 1;
    }
    if (command == "enlarge" && argc == 5) {
        return Enlarge(argv[2], argv[3], std::atoi(argv[4])) ? 0 : 1;
    }
    std::fputs(
        "usage: tavro_test_images make FOLDER | compare WANTED.png GOT.png | enlarge IN.png "
        "OUT.png N\n",
        stderr);
    return 2;
}
