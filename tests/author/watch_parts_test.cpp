// The parts of a watched run: which file changes restart a game, and the error overlay.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

#include "author/error_overlay.h"
#include "author/watched_files.h"
#include "host/files/game_folder_file_system.h"
#include "render/recording_compositor.h"
#include "support/temporary_folder.h"

namespace tavro {
namespace {

// What the game reads (its files, its folder listed for task files) is watched; what it writes
// (a save, the log, a temporary file) is not.
TEST(WatchedFilesTest, ChangesOfWhatTheGameIsMadeOfAndNothingElse) {
    TemporaryFolder root;
    root.writeFile("boot", "SCRIPT={main.scr};");
    root.writeFile("main.scr", "x=1;");
    GameFolderFileSystem disk(root.path());
    NotingFolder noting(disk);
    std::string bytes;
    noting.readFile("boot", bytes);
    noting.readFile("main.scr", bytes);
    noting.readFile("missing.png", bytes);
    noting.listDirectory("");
    WatchedFiles watched(root.path());
    watched.watch(noting);

    struct Step {
        const char* what;
        const char* file;
        const char* text;
        bool changed;
    };
    const Step steps[] = {
        {"nothing", nullptr, nullptr, false},
        {"a save the game writes", "out.txt", "1", false},
        {"its error log", "errorLog.txt", "001 : log start", false},
        {"a script it runs", "main.scr", "x=2;", true},
        {"the same script, the same length", "main.scr", "x=3;", true},
        {"a missing image made", "missing.png", "png", true},
        {"a new task file in a listed folder", "enemy.tsk", "", true},
    };
    for (const Step& step : steps) {
        if (step.file != nullptr) {
            // File times are kept in nanoseconds, but a coarse file system may not show them.
            usleep(10000);
            root.writeFile(step.file, step.text);
        }
        EXPECT_EQ(watched.changed(), step.changed) << step.what;
        EXPECT_FALSE(watched.changed()) << step.what << ", looked at again";
    }
}

TEST(ErrorOverlayTest, DrawsItsBandOverEachPresentedFrameWhileThereAreErrors) {
    testing::RecordingCompositor compositor;
    auto owned = std::make_unique<ErrorOverlay>(compositor, nullptr);
    ErrorOverlay& overlay = *owned;
    ASSERT_TRUE(overlay.createBackBuffer(320, 240));
    overlay.setSampling(Sampling::kSmooth);
    overlay.present();
    EXPECT_TRUE(compositor.draws.empty());

    overlay.show({"main.scr:2: error: one", "main.scr:3: error: two"});
    overlay.present();
    ASSERT_EQ(compositor.draws.size(), 1u);
    EXPECT_EQ(compositor.draws[0].matrix.m11, 320.0f);
    EXPECT_GT(compositor.draws[0].matrix.m22, 2 * 16.0f);
    EXPECT_EQ(compositor.presents, 2);
    EXPECT_EQ(compositor.sampling, Sampling::kSmooth) << "the game's sampling is given back";

    overlay.show({});
    overlay.present();
    EXPECT_EQ(compositor.draws.size(), 1u);
    EXPECT_FALSE(overlay.showing());
    overlay.show({"again"});
    overlay.present();
    owned.reset();
    EXPECT_EQ(compositor.liveTextures(), 0) << "the overlay's textures go with it";
}

}  // namespace
}  // namespace tavro
