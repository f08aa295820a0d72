#include "launch/screenshot_files.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "host/compositor/png_writer.h"
#include "host/files/screenshot_path.h"

namespace tavro {

void savePlayerScreenshot(const Compositor& compositor) {
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    if (!compositor.readPresentedFrame(pixels, width, height)) {
        return;
    }
    const std::string folder = screenshotFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    std::error_code error;
    if (folder.empty() || (std::filesystem::create_directories(folder, error), error)) {
        std::fprintf(stderr, "tavro: no folder for screenshots (%s)\n",
                     folder.empty() ? "neither XDG_DATA_HOME nor HOME is set" : folder.c_str());
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string game = std::filesystem::current_path().filename().string();
    std::string path;
    for (int number = 1; path.empty() || std::filesystem::exists(path); ++number) {
        path = folder + "/" + screenshotName(game, local, number);
    }
    if (WritePng(path.c_str(), pixels.data(), width, height)) {
        std::fprintf(stderr, "tavro: screenshot %s\n", path.c_str());
    } else {
        std::fprintf(stderr, "tavro: cannot write the screenshot %s\n", path.c_str());
    }
}

void writeScreenshot(const std::string& path, const FrameReader& readFrame) {
    if (path.empty()) {
        return;
    }
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    if (!readFrame(pixels, width, height) || width == 0) {
        std::fprintf(stderr, "tavro: no frame was presented; %s not written\n", path.c_str());
    } else if (!WritePng(path.c_str(), pixels.data(), width, height)) {
        std::fprintf(stderr, "tavro: cannot write the screenshot %s\n", path.c_str());
    }
}

}  // namespace tavro
