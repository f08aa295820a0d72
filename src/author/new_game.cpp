#include "author/new_game.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "host/compositor/png_writer.h"

namespace tavro {

namespace {

constexpr const char* kBoot =
    "IMAGE={ball,ball.png};\n"
    "SCRIPT={main.scr};\n"
    "x=320;\n"
    "y=240;\n"
    "dx=3;\n"
    "dy=2;\n";

constexpr const char* kMainScript =
    "// Runs 60 times a second. End every comment line with a semicolon.;\n"
    "x=x+dx;\n"
    "y=y+dy;\n"
    "// Bounce off the edges of the 640 x 480 window.;\n"
    "if(x<16){\n"
    "    dx=3;\n"
    "}\n"
    "if(x>624){\n"
    "    dx=-3;\n"
    "}\n"
    "if(y<16){\n"
    "    dy=2;\n"
    "}\n"
    "if(y>464){\n"
    "    dy=-2;\n"
    "}\n"
    "// The arrow keys push the ball.;\n"
    "ifkey(left){\n"
    "    dx=-3;\n"
    "}\n"
    "ifkey(right){\n"
    "    dx=3;\n"
    "}\n"
    "draw(ball,0,0,1,1);\n"
    "// The text follows the ball: 44 pixels above it.;\n"
    "text(\"Hello\\sfrom\\sTavro!\",0,-44,1,0,99,1);\n";

constexpr const char* kSettings =
    "windowTitle=My\\sTavro\\sgame;\n"
    "windowWidth=640;\n"
    "windowHeight=480;\n"
    "errorReport=true;\n";

constexpr int32_t kBallSize = 32;

// A shaded orange ball on a transparent square, as ARGB.
std::vector<uint32_t> ballPixels() {
    std::vector<uint32_t> pixels(kBallSize * kBallSize, 0);
    const double radius = kBallSize / 2.0;
    for (int32_t y = 0; y < kBallSize; ++y) {
        for (int32_t x = 0; x < kBallSize; ++x) {
            const double dx = x + 0.5 - radius, dy = y + 0.5 - radius;
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance > radius - 0.5) {
                continue;
            }
            // Lit from the top left.
            const double light =
                0.55 + 0.45 * std::max(0.0, 1 - std::hypot(dx + 6, dy + 6) / (radius * 1.4));
            const auto channel = [light](double base) {
                return static_cast<uint32_t>(std::min(255.0, base * light + 0.5));
            };
            pixels[y * kBallSize + x] =
                0xFF000000u | channel(255) << 16 | channel(150) << 8 | channel(40);
        }
    }
    return pixels;
}

bool writeText(const std::filesystem::path& path, const char* text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file);
}

}  // namespace

bool makeNewGame(const std::string& directory, std::string& error) {
    const std::filesystem::path folder(directory);
    std::error_code failure;
    if (std::filesystem::exists(folder, failure) &&
        !(std::filesystem::is_directory(folder, failure) &&
          std::filesystem::is_empty(folder, failure))) {
        error = "'" + directory + "' exists already: give a new folder for the game";
        return false;
    }
    std::filesystem::create_directories(folder, failure);
    const std::vector<uint32_t> ball = ballPixels();
    if (failure || !writeText(folder / "boot", kBoot) ||
        !writeText(folder / "main.scr", kMainScript) || !writeText(folder / "init", kSettings) ||
        !WritePng((folder / "ball.png").c_str(), ball.data(), kBallSize, kBallSize, true)) {
        error = "cannot write the game into '" + directory + "'";
        return false;
    }
    return true;
}

}  // namespace tavro
