#include "author/web_export.h"

#include <unistd.h>
#include <zlib.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "author/headless_check.h"
#include "author/web_font.h"
#include "author/web_game_archive.h"
#include "host/audio/fluid_music_synth.h"
#include "host/audio/sound_font_search.h"
#include "host/files/running_executable.h"
#include "host/portable/game_opening.h"
#include "shell/command_line.h"

namespace tavro {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 3> kWebBuildFiles = {"index.html", "tavro.js", "tavro.wasm"};
constexpr const char* kWebBuildFolder = "build-web";

struct ExportRequest {
    fs::path game;
    fs::path out;
    fs::path webBuild;  // empty: looked for
    std::string soundFont;
};

bool parseRequest(int argc, const char* const* argv, ExportRequest& request, std::string& error) {
    std::vector<std::string_view> positional;
    for (int i = 2; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--web-build" || argument == "--soundfont") {
            if (++i == argc) {
                error = "option '" + std::string(argument) + "' needs a value";
                return false;
            }
            if (argument == "--web-build") {
                request.webBuild = argv[i];
            } else {
                request.soundFont = argv[i];
            }
        } else if (argument.starts_with("--")) {
            error =
                "--export-web takes GAME_DIR OUT_DIR [--web-build DIR] [--soundfont FILE], "
                "not '" +
                std::string(argument) + "'";
            return false;
        } else {
            positional.push_back(argument);
        }
    }
    if (positional.size() != 2) {
        error = "--export-web needs GAME_DIR and OUT_DIR";
        return false;
    }
    request.game = fs::absolute(positional[0]);
    request.out = fs::absolute(positional[1]);
    return true;
}

bool holdsWebBuild(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / kWebBuildFiles[2], error);
}

// build-web in a folder the executable lies in (the source tree it was built in), else in
// the current folder.
fs::path defaultWebBuild() {
    const fs::path executable = runningExecutable();
    for (fs::path folder = executable.parent_path();
         !executable.empty() && folder != folder.parent_path(); folder = folder.parent_path()) {
        if (holdsWebBuild(folder / kWebBuildFolder)) {
            return folder / kWebBuildFolder;
        }
    }
    return fs::absolute(kWebBuildFolder);
}

// The gzip-compressed size, as a web server sends the file.
uint64_t gzippedSize(const std::string& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> out(deflateBound(&stream, bytes.size()));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    const uint64_t size = stream.total_out;
    deflateEnd(&stream);
    return size;
}

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string sizeText(uint64_t bytes) {
    char text[32];
    const auto size = static_cast<double>(bytes);
    if (bytes < 1000000) {
        std::snprintf(text, sizeof text, "%.1f kB", size / 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.2f MB", size / 1e6);
    }
    return text;
}

// Checks the game as --check does. False when a syntax error would stop it.
bool checkBeforeExport(const ExportRequest& request, std::string& error) {
    OpenedGame game = openGame(GameOpening{request.game.string(), "", std::getenv("XDG_DATA_HOME"),
                                           std::getenv("HOME"), true});
    if (!game.files) {
        error = "'" + request.game.string() + "' cannot be exported: " + game.error;
        return false;
    }
    const GameCheckReport report = checkGameTelling(*game.files, stderr);
    if (!report.clean()) {
        std::fprintf(stderr, "%s\n", report.summary().c_str());
    }
    if (report.syntaxErrors > 0) {
        error = "the game has syntax errors, which would stop it; nothing was exported";
        return false;
    }
    return true;
}

// OUT_DIR as the export finds it: new or empty, so nothing in it can be lost.
bool outputIsFree(const fs::path& out, std::string& error) {
    std::error_code failure;
    if (!fs::exists(out, failure)) {
        return true;
    }
    if (!fs::is_directory(out, failure) || !fs::is_empty(out, failure)) {
        error = out.string() +
                " is not an empty folder; give a new or empty one (nothing was "
                "written)";
        return false;
    }
    return true;
}

class ExportedFolder {
  public:
    ExportedFolder(fs::path out, bool created) : out_(std::move(out)), created_(created) {}

    bool write(const std::string& name, const std::string& bytes, std::string& error) {
        std::ofstream file(out_ / name, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            error = "cannot write " + (out_ / name).string();
            return false;
        }
        return noteWritten(name, bytes);
    }

    bool noteWritten(const std::string& name, const std::string& bytes) {
        files_.push_back({name, bytes.size(), gzippedSize(bytes)});
        return true;
    }

    // Removes what was written, leaving OUT_DIR as it was found (empty).
    void discard() {
        std::error_code ignored;
        for (const Written& file : files_) {
            fs::remove(out_ / file.name, ignored);
        }
        fs::remove(out_ / "game.zip", ignored);
        if (created_) {
            fs::remove(out_, ignored);
        }
    }

    void printSizes(uint64_t musicBytes) const {
        uint64_t total = 0;
        uint64_t gzipped = 0;
        for (const Written& file : files_) {
            std::printf("  %-12s %10s  (%s gzipped)\n", file.name.c_str(),
                        sizeText(file.bytes).c_str(), sizeText(file.gzipped).c_str());
            total += file.bytes;
            gzipped += file.gzipped;
        }
        std::printf("  music        %10s  (in game.zip)\n", sizeText(musicBytes).c_str());
        std::printf("exported to %s: %s, %s gzipped\n", out_.c_str(), sizeText(total).c_str(),
                    sizeText(gzipped).c_str());
    }

  private:
    struct Written {
        std::string name;
        uint64_t bytes;
        uint64_t gzipped;
    };
    fs::path out_;
    bool created_;
    std::vector<Written> files_;
};

bool exportGame(const ExportRequest& request, std::string& error) {
    std::vector<GameFile> files;
    if (!readGameFiles(request.game, files, error)) {
        return false;
    }
    std::set<char32_t> characters = everyGameCharacters();
    for (const GameFile& file : files) {
        addTextCharacters(file.bytes, characters);
    }
    std::string font;
    if (!subsetFont(kWebFontSource, characters, font, error)) {
        return false;
    }
    const std::string soundFont = findSoundFont(
        {request.soundFont, request.game.string(), FluidMusicSynth::configuredDefaultSoundFont()});
    RenderedSongs rendered = renderSongs(files, soundFont);
    for (const std::string& warning : rendered.warnings) {
        std::fprintf(stderr, "tavro: %s\n", warning.c_str());
    }
    files.insert(files.end(), std::make_move_iterator(rendered.songs.begin()),
                 std::make_move_iterator(rendered.songs.end()));

    std::error_code failure;
    const bool created = fs::create_directories(request.out, failure);
    if (failure) {
        error = "cannot make " + request.out.string() + ": " + failure.message();
        return false;
    }
    ExportedFolder out(request.out, created);
    bool written = true;
    for (const char* name : kWebBuildFiles) {
        written = written && out.write(name, readWhole(request.webBuild / name), error);
    }
    const std::string archivePath = (request.out / "game.zip").string();
    written = written && writeGameArchive(archivePath, files, error) &&
              out.noteWritten("game.zip", readWhole(archivePath)) &&
              out.write("font.ttf", font, error);
    if (!written) {
        out.discard();
        return false;
    }
    out.printSizes(rendered.bytes);
    return true;
}

}  // namespace

bool isExportWebCommand(int argc, const char* const* argv) {
    return argc > 1 && std::string_view(argv[1]) == "--export-web";
}

int exportWebCommand(int argc, const char* const* argv) {
    ExportRequest request;
    std::string error;
    if (!parseRequest(argc, argv, request, error)) {
        std::fputs(usageErrorText(error).c_str(), stderr);
        return kExitUsageError;
    }
    if (request.webBuild.empty()) {
        request.webBuild = defaultWebBuild();
    }
    for (const char* name : kWebBuildFiles) {
        if (std::error_code failure; !fs::is_regular_file(request.webBuild / name, failure)) {
            error = "no web build in " + request.webBuild.string() + " (" + name +
                    " is missing): run scripts/build-web, or give --web-build DIR";
        }
    }
    std::error_code failure;
    if (error.empty() && !fs::is_directory(request.game, failure)) {
        error = request.game.string() + " is not a game folder";
    }
    const bool exported = error.empty() && outputIsFree(request.out, error) &&
                          checkBeforeExport(request, error) && exportGame(request, error);
    if (!exported) {
        std::fprintf(stderr, "tavro: %s\n", error.c_str());
        return kExitStartupFailed;
    }
    return kExitNormal;
}

}  // namespace tavro
