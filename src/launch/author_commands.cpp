#include "launch/author_commands.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "author/headless_check.h"
#include "author/new_game.h"
#include "host/files/running_executable.h"
#include "shell/command_line.h"

namespace tavro {

int checkGameFolder(FileSystem& gameFolder) {
    const GameCheckReport report = checkGameTelling(gameFolder, stdout);
    std::printf("%s\n", report.summary().c_str());
    return report.clean() ? kExitNormal : kExitCheckFoundProblems;
}

namespace {

// The author's guide where this Tavro can reach it: installed under the prefix tavro runs
// from (/usr for the package, /usr/local for cmake --install), or in the sources it was built
// from.
std::string guidePath() {
    std::vector<std::filesystem::path> places;
    if (const std::filesystem::path executable = runningExecutable(); !executable.empty()) {
        places.push_back(executable.parent_path().parent_path() / TAVRO_GUIDE_DIR / "authoring.md");
    }
    places.emplace_back(TAVRO_SOURCE_GUIDE);
    std::error_code error;
    for (const std::filesystem::path& place : places) {
        if (std::filesystem::is_regular_file(place, error)) {
            return place.string();
        }
    }
    return "docs/authoring.md in Tavro's sources";
}

}  // namespace

int newGame(const std::string& directory) {
    if (std::string error; !makeNewGame(directory, error)) {
        std::fprintf(stderr, "tavro: %s\n", error.c_str());
        return kExitStartupFailed;
    }
    std::printf(
        "made a new game in %s: play it with 'tavro %s', check it with 'tavro --check "
        "%s', and read %s to go on\n",
        directory.c_str(), directory.c_str(), directory.c_str(), guidePath().c_str());
    return kExitNormal;
}

}  // namespace tavro
