#include "host/files/screenshot_path.h"

#include <cstdio>

namespace tavro {

namespace {

// An absolute folder without trailing slashes ("" for the root); false when not absolute.
bool absoluteFolder(const char* value, std::string& folder) {
    if (value == nullptr || value[0] != '/') {
        return false;
    }
    folder = value;
    while (!folder.empty() && folder.back() == '/') {
        folder.pop_back();
    }
    return true;
}

}  // namespace

std::string tavroDataFolder(const char* xdgDataHome, const char* home) {
    std::string base;
    if (absoluteFolder(xdgDataHome, base)) {
        return base + "/tavro";
    }
    if (absoluteFolder(home, base)) {
        return base + "/.local/share/tavro";
    }
    return "";
}

std::string screenshotFolder(const char* xdgDataHome, const char* home) {
    const std::string data = tavroDataFolder(xdgDataHome, home);
    return data.empty() ? data : data + "/screenshots";
}

std::string screenshotName(std::string_view gameFolderName, const std::tm& time, int number) {
    char stamp[80];  // room for any int fields
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    std::string name = gameFolderName.empty() ? "tavro" : std::string(gameFolderName);
    name += stamp;
    if (number > 1) {
        name += "-" + std::to_string(number);
    }
    return name + ".png";
}

}  // namespace tavro
