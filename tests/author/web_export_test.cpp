// tavro --export-web on a small game made on the spot: what lands in OUT_DIR, and the refusals.
#include "author/web_export.h"

#include <gtest/gtest.h>
#include <hb.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "author/new_game.h"
#include "author/web_font.h"
#include "host/archive/archive_file_system.h"
#include "host/audio/ogg_loop_music.h"
#include "host/fonts/sized_face.h"
#include "support/file_bytes.h"

namespace tavro {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> folderNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

int exportWeb(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv = {"tavro", "--export-web"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return exportWebCommand(static_cast<int>(argv.size()), argv.data());
}

// Whether the font has a glyph for the character.
bool hasGlyph(const std::string& font, char32_t character) {
    hb_blob_t* blob = hb_blob_create(font.data(), static_cast<unsigned>(font.size()),
                                     HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t* face = hb_face_create(blob, 0);
    hb_font_t* hbFont = hb_font_create(face);
    hb_codepoint_t glyph = 0;
    const bool found = hb_font_get_nominal_glyph(hbFont, character, &glyph);
    hb_font_destroy(hbFont);
    hb_face_destroy(face);
    hb_blob_destroy(blob);
    return found;
}

class WebExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(root_);
        std::string error;
        ASSERT_TRUE(makeNewGame((root_ / "game").string(), error)) << error;
        // Two kanji in Shift-JIS: 漢字.
        writeFile(root_ / "game/words.txt", "name=\x8A\xBF\x8E\x9A\n");
        writeFile(root_ / "game/.git/config", "not the game's");
        writeFile(root_ / "game/bgm/theme.mid",
                  testing::midiFile({{0, 960, 0, 60}, {960, 960, 0, 64}}, 1920));
        for (const char* name : {"index.html", "tavro.js", "tavro.wasm"}) {
            writeFile(root_ / "web" / name, std::string("fake ") + name);
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    std::vector<std::string> arguments(const std::string& out) const {
        return {(root_ / "game").string(), (root_ / out).string(), "--web-build",
                (root_ / "web").string()};
    }

    const fs::path root_ =
        fs::temp_directory_path() / ("tavro_web_export_" + std::to_string(getpid()));
};

TEST_F(WebExportTest, WritesThePageTheGameItsMusicAndItsFont) {
    ASSERT_EQ(exportWeb(arguments("out")), 0);
    const fs::path out = root_ / "out";
    EXPECT_EQ(folderNames(out), (std::set<std::string>{"font.ttf", "game.zip", "index.html",
                                                       "tavro.js", "tavro.wasm"}));
    EXPECT_EQ(readFile(out / "tavro.wasm"), "fake tavro.wasm");

    std::string error;
    const std::string archiveBytes = readFile(out / "game.zip");
    auto archive = ArchiveFileSystem::openBytes(archiveBytes, error);
    ASSERT_TRUE(archive) << error;
    std::string bytes;
    EXPECT_FALSE(archive->readFile(".git/config", bytes)) << "hidden files stay out";
    for (const auto& entry : fs::recursive_directory_iterator(root_ / "game")) {
        if (entry.is_regular_file() && entry.path().string().find("/.git/") == std::string::npos) {
            const std::string name = entry.path().lexically_relative(root_ / "game").string();
            EXPECT_TRUE(archive->readFile(name, bytes)) << name;
            EXPECT_EQ(bytes, readFile(entry.path())) << name;
        }
    }
    std::string song;
    ASSERT_TRUE(archive->readFile("bgm/theme.mid.ogg", song, FileKind::kMusic));
    OggLoopMusic music;
    EXPECT_TRUE(music.play(song, true));
    EXPECT_GT(music.loopStartFrame(), 0u) << "the last note's tail rings past the loop point";

    const std::string font = readFile(out / "font.ttf");
    for (char32_t character : {U'A', U'~', U'あ', U'ヴ', U'！', U'漢', U'字'}) {
        EXPECT_TRUE(hasGlyph(font, character)) << static_cast<uint32_t>(character);
    }
    EXPECT_FALSE(hasGlyph(font, U'龍')) << "a kanji the game does not use";
    EXPECT_LT(font.size() * 10, fs::file_size(kWebFontSource));

    // Tavro draws the subset's glyphs exactly as the whole font's.
    ASSERT_EQ(TTF_Init(), 0);
    for (const int32_t cellHeight : {12, 16, 25, 32}) {
        const auto whole = SizedFace::open({kWebFontSource}, cellHeight);
        const auto subset = SizedFace::open({(out / "font.ttf").string()}, cellHeight);
        ASSERT_TRUE(whole && subset);
        EXPECT_EQ(whole->ascent(), subset->ascent());
        for (char32_t character : {U'g', U'Q', U'ア', U'０', U'漢'}) {
            const Glyph& a = whole->glyph(character);
            const Glyph& b = subset->glyph(character);
            EXPECT_TRUE(a.advance == b.advance && a.left == b.left && a.top == b.top &&
                        a.width == b.width && a.coverage == b.coverage)
                << cellHeight << " " << static_cast<uint32_t>(character);
        }
    }
}

TEST_F(WebExportTest, RefusesWithoutLosingAnything) {
    writeFile(root_ / "full/keep.txt", "mine");
    EXPECT_EQ(exportWeb(arguments("full")), 1);
    EXPECT_EQ(folderNames(root_ / "full"), std::set<std::string>{"keep.txt"});

    fs::remove(root_ / "web/tavro.wasm");
    EXPECT_EQ(exportWeb(arguments("out")), 1) << "no web build";
    EXPECT_FALSE(fs::exists(root_ / "out"));

    EXPECT_EQ(exportWeb({(root_ / "game").string()}), 2) << "no OUT_DIR";

    writeFile(root_ / "web/tavro.wasm", "fake");
    std::ofstream(root_ / "game/main.scr", std::ios::app) << "if(x<1{\n";
    EXPECT_EQ(exportWeb(arguments("out")), 1) << "a syntax error would stop the game";
    EXPECT_FALSE(fs::exists(root_ / "out"));
}

}  // namespace
}  // namespace tavro
