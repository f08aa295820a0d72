#include "host/audio/sound_font_search.h"

#include <gtest/gtest.h>

#include "support/temporary_folder.h"

namespace tavro {
namespace {

TEST(SoundFontSearch, TakesTheFirstSourceThatGivesOne) {
    TemporaryFolder root;
    root.makeFolder("one");
    root.writeFile("one/music.SF3", "x");
    root.writeFile("one/notes.txt", "x");
    root.makeFolder("two");
    root.writeFile("two/a.sf2", "x");
    root.writeFile("two/b.sf2", "x");
    root.makeFolder("none");
    root.makeFolder("system");
    root.writeFile("system/TimGM6mb.sf2", "x");
    root.writeFile("system/FluidR3_GM.sf2", "x");
    root.writeFile("configured.sf2", "x");
    const std::string system = root.at("system");
    struct Case {
        const char* name;
        SoundFontSearch search;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"explicit path wins, even missing", {"/x/given.sf2", root.at("one"), "", system}, "/x/given.sf2"},
        {"single font in the game folder", {"", root.at("one"), root.at("configured.sf2"), system}, root.at("one/music.SF3")},
        {"two fonts in the game folder: configured default", {"", root.at("two"), root.at("configured.sf2"), system}, root.at("configured.sf2")},
        {"configured default missing: system list in order", {"", root.at("none"), root.at("absent.sf2"), system}, root.at("system/FluidR3_GM.sf2")},
        {"nothing anywhere", {"", root.at("none"), "", root.at("none")}, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(findSoundFont(c.search), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tavro
