#include "author/web_game_archive.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "host/audio/midi_loop_renderer.h"
#include "host/audio/mixer.h"
#include "host/audio/ogg_loop_music.h"
#include "host/audio/ogg_vorbis_writer.h"
#include "sound/music_player.h"

namespace tavro {

namespace {

bool isMidiSong(const std::string& bytes) {
    return bytes.compare(0, 4, "MThd") == 0;
}

}  // namespace

bool readGameFiles(const std::filesystem::path& folder, std::vector<GameFile>& files,
                   std::string& error) {
    std::error_code failure;
    std::filesystem::recursive_directory_iterator walk(folder, failure);
    for (; !failure && walk != std::filesystem::recursive_directory_iterator();
         walk.increment(failure)) {
        // Hidden files and folders (.git, an editor's) are the author's, not the game's.
        if (walk->path().filename().string().starts_with('.')) {
            walk.disable_recursion_pending();
            continue;
        }
        if (!walk->is_regular_file()) {
            continue;
        }
        std::ifstream in(walk->path(), std::ios::binary);
        GameFile file{walk->path().lexically_relative(folder).generic_string(),
                      {std::istreambuf_iterator<char>(in), {}}};
        if (!in.good() && !in.eof()) {
            error = "cannot read " + walk->path().string();
            return false;
        }
        files.push_back(std::move(file));
    }
    if (failure) {
        error = "cannot list " + folder.string() + ": " + failure.message();
        return false;
    }
    std::sort(files.begin(), files.end(),
              [](const GameFile& a, const GameFile& b) { return a.name < b.name; });
    return true;
}

RenderedSongs renderSongs(const std::vector<GameFile>& files, const std::string& soundFont) {
    RenderedSongs rendered;
    std::unique_ptr<FluidMusicSynth> synth;
    for (const GameFile& file : files) {
        if (!isMidiSong(file.bytes)) {
            continue;
        }
        if (!synth) {
            synth = std::make_unique<FluidMusicSynth>(soundFont);
        }
        RenderedLoop loop;
        if (!synth->ready()) {
            rendered.warnings.push_back(file.name + ": not rendered: the soundfont " + soundFont +
                                        " does not load");
            continue;
        }
        if (!renderMidiLoop(*synth, file.bytes, hasStandardMidiSuffix(file.name), loop)) {
            rendered.warnings.push_back(file.name +
                                        ": not rendered: the player cannot play it, or it lasts "
                                        "more than ten minutes");
            continue;
        }
        GameFile song{file.name + kRenderedSongSuffix,
                      encodeOggVorbis(loop.stereo, kMixRate,
                                      {{kLoopStartTag, std::to_string(loop.loopStartFrame)}})};
        rendered.bytes += song.bytes.size();
        rendered.songs.push_back(std::move(song));
    }
    return rendered;
}

bool writeGameArchive(const std::string& path, const std::vector<GameFile>& files,
                      std::string& error) {
    int openError = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_EXCL, &openError);
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, openError);
        error = "cannot write " + path + ": " + zip_error_strerror(&reason);
        zip_error_fini(&reason);
        return false;
    }
    for (const GameFile& file : files) {
        zip_source_t* source = zip_source_buffer(archive, file.bytes.data(), file.bytes.size(), 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, file.name.c_str(), source, ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            zip_source_free(source);
            error = "cannot add " + file.name + " to " + path + ": " + zip_strerror(archive);
            zip_discard(archive);
            return false;
        }
        // Ogg Vorbis does not compress further.
        const bool stored = file.name.ends_with(kRenderedSongSuffix);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, stored ? 0 : 9);
    }
    if (zip_close(archive) != 0) {
        error = "cannot write " + path + ": " + zip_strerror(archive);
        zip_discard(archive);
        return false;
    }
    return true;
}

}  // namespace tavro
