#include "shell/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "render/recording_compositor.h"
#include "support/game_folder.h"
#include "text/scrambled_file.h"

namespace tavro {
namespace {

using testing::GameFolder;

// Reads the settings from the in-memory disk and applies them, as start-up does.
struct StartUp {
    GameFolder disk;
    testing::RecordingCompositor compositor;
    EngineState state{disk, nullptr, compositor};
    ConfigTable& config = state.config;
    Settings& settings = state.settings;

    void run() {
        readSettings(state);
        applySettings(config, state.log, settings);
    }
    std::string value(const char* key) { return std::string(config.at(key).view()); }
};

TEST(Settings, OnlyTheExactTextTrueSwitches) {
    for (const auto& [value, on] :
         {std::pair{"true", true}, {"True", false}, {"1", false}, {" t r u e ", true}}) {
        StartUp s;
        s.disk.files[kErrorLogFileName] = "old";
        s.disk.files["init"] = std::string("fullScreen=") + value + ";antiAlias=" + value +
                               ";notUseOriginalFile=" + value + ";errorReport=" + value;
        s.run();
        EXPECT_EQ(s.settings.fullScreen, on) << value;
        EXPECT_EQ(s.settings.antiAlias, on) << value;
        EXPECT_EQ(s.settings.bundleOnlyTasks, on) << value;
        EXPECT_EQ(s.state.log.reportLevel(), on ? kReportEverything : kReportNothing) << value;
        EXPECT_EQ(s.disk.files[kErrorLogFileName], on ? "001 : log start\n" : "old") << value;
    }
}

TEST(Settings, PreparationStripsWhitespaceAndTurnsEscapes) {
    for (const auto& [text, expected] : {
             std::pair{"windowTitle = My\\sGame ;\r\n\tb=2;", "windowTitle=My Game;b=2;"},
             {"a=line\\nnext", "a=line\nnext"},
             {"a=x\\sc", "a=x c"},  // the writer's escape for ";" does not survive a settings read
             {"a=\\t", "a=\\t"},
         }) {
        TextString prepared(text);
        prepareSettingsText(prepared);
        EXPECT_EQ(prepared, expected) << text;
    }
}

// The file written at exit reads back, unscrambled, as a released game; spaces, line feeds
// and "=" are written escaped, so a settings read keeps them.
TEST(Settings, ReleasePackageRewritesWhatShutDownWrites) {
    for (const auto& [extra, password] :
         {std::pair{"", "plainBundle"}, {"packagePassword=secret;", "secret"}}) {
        StartUp s;
        s.disk.files["init"] = std::string("releasePackage=true;windowWidth=320;") + extra;
        s.run();
        EXPECT_EQ(s.value("screenWidth"), "320") << "the screen defaults to the window's size";
        EXPECT_TRUE(s.settings.writeAtExit && s.settings.scanAll);
        EXPECT_FALSE(s.settings.bundleOnlyTasks) << "this run keeps reading the game's files";
        s.config.at("odd") = "a=b\nc d";
        ASSERT_TRUE(writeSettings(s.state));
        std::string bytes = s.disk.files["package.ini"];
        unscrambleText(bytes.data(), static_cast<int32_t>(bytes.size()), kSettingsFileKey);
        EXPECT_NE(bytes.find(";odd=a\\eqb\\nc\\sd;"), std::string::npos) << bytes;
        StartUp released;
        released.disk.files["package.ini"] = s.disk.files["package.ini"];
        released.disk.files["init"] = "windowTitle=Plain;";  // package.ini wins
        released.run();
        EXPECT_TRUE(released.settings.bundleOnlyTasks);
        EXPECT_FALSE(released.settings.writeAtExit);
        EXPECT_EQ(released.value("packagePassword"), password);
        EXPECT_EQ(released.value("windowTitle"), "Tavro version 1.00");
        EXPECT_EQ(released.value("odd"), "a=b\nc d");
    }
}

}  // namespace
}  // namespace tavro
