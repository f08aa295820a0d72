// A keyboard game played in a real window with a pad: an SDL virtual game controller's D-pad,
// stick and A button move a box and fire as the arrow keys and Z would. The session is
// recorded on the way, and its recording replayed headless ends the game in the same state.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "host/audio/mixer.h"
#include "host/compositor/pixman_compositor.h"
#include "host/compositor/png_writer.h"
#include "host/files/game_folder_file_system.h"
#include "host/fonts/ttf_font_renderer.h"
#include "host/headless/headless_dialogs.h"
#include "host/headless/headless_display.h"
#include "host/headless/virtual_clock.h"
#include "host/recorded_input/input_recorder.h"
#include "host/sdl/sdl_clock.h"
#include "host/sdl/sdl_dialogs.h"
#include "host/sdl/sdl_display.h"
#include "shell/engine.h"
#include "support/temporary_folder.h"

namespace tavro {
namespace {

constexpr uint64_t kFrames = 60;
constexpr uint32_t kBoxColour = 0xFFFFC020u;

// Moves the object (its box drawn centred on x, y) with the arrows, counts presses of Z and
// saves where it ended.
constexpr const char* kMovesScript =
    "bgColor(40,60,80);"
    "frame=frame+1;"
    "if(frame==1){x=40;y=30;}"
    "ifkey(left){x=x-2;}ifkey(right){x=x+2;}ifkey(up){y=y-2;}ifkey(down){y=y+2;}"
    "ifstamp(Z){shots=shots+1;}"
    "draw(box,0,0,1,1);"
    "end[0]=x;end[1]=y;end[2]=shots;save(\"end.txt\",end,0);";

// A recording display that plays the virtual pad: after frame 10 the D-pad is held right,
// after frame 30 the stick down, and A is pressed twice.
class PadPlayer : public InputRecorder {
  public:
    PadPlayer(Display& display, std::ostream& out, SDL_Joystick* pad)
        : InputRecorder(display, out), pad_(pad) {}

    void frameCompleted() override {
        InputRecorder::frameCompleted();
        ++frames_;
        SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                                     frames_ >= 10 && frames_ < 30);
        SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY,
                                   frames_ >= 30 && frames_ < 40 ? 32767 : 0);
        SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_A,
                                     (frames_ >= 40 && frames_ < 44) || frames_ == 46);
    }

  private:
    SDL_Joystick* pad_;
    uint64_t frames_ = 0;
};

void writeGame(const TemporaryFolder& game) {
    game.writeFile("init", "windowWidth=160;windowHeight=120;screenWidth=160;screenHeight=120;");
    game.writeFile("boot", "IMAGE={box,box.bmp};SCRIPT={moves.scr};");
    game.writeFile("moves.scr", kMovesScript);
    SDL_Surface* box = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(box, nullptr, kBoxColour);
    SDL_SaveBMP(box, game.at("box.bmp").c_str());
    SDL_FreeSurface(box);
}

TEST(PadKeysWindowTest, AVirtualPadPlaysAKeyboardGameInAWindowAndTheRecordingReplays) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    TemporaryFolder game;
    writeGame(game);

    std::ostringstream recording;
    {
        GameFolderFileSystem files(game.path());
        SdlClock clock;
        SdlDisplay display(WindowScaling{1, FrameScaling::kFit});
        display.keepShownFrames();
        SdlDialogs dialogs;
        PixmanCompositor compositor(&display);
        TtfFontRenderer fonts;
        Mixer mixer;
        PadPlayer player(display, recording, pad);
        ScriptEngineGameScripts scripts;
        Engine engine(
            HostServices{clock, player, dialogs, files, compositor, &mixer, nullptr, &fonts},
            scripts, EngineOptions{kFrames, 1u});
        EXPECT_EQ(engine.run(), kExitNormal);
        player.writeEnd();
        std::vector<uint32_t> pixels;
        int32_t width = 0, height = 0;
        display.readShownFrame(pixels, width, height);
        ASSERT_EQ(width, 160);
        if (const char* picture = std::getenv("TAVRO_PAD_WINDOW_PICTURE")) {
            WritePng(picture, pixels.data(), width, height);  // to look at
        }
        // The window shows the box where the pad moved it, the background where it started.
        EXPECT_EQ(pixels[static_cast<size_t>(50 * width + 80)], kBoxColour);
        EXPECT_NE(pixels[static_cast<size_t>(30 * width + 40)], kBoxColour);
    }
    std::string end;
    ASSERT_TRUE(GameFolderFileSystem(game.path()).readFile("end.txt", end));
    // 20 frames right and 10 down, 2 pixels each; A pressed twice.
    EXPECT_EQ(end, "80,50,2");
    EXPECT_NE(recording.str().find(" pad 0 "), std::string::npos) << recording.str();

    std::remove(game.at("end.txt").c_str());
    const InputScriptParse replay = parseInputScript(recording.str(), "recording");
    ASSERT_TRUE(replay.ok) << replay.error;
    {
        GameFolderFileSystem files(game.path());
        VirtualClock clock;
        HeadlessDisplay display{ScriptedInput(replay.events)};
        HeadlessDialogs dialogs(true);
        PixmanCompositor compositor;
        TtfFontRenderer fonts;
        Mixer mixer;
        ScriptEngineGameScripts scripts;
        Engine engine(
            HostServices{clock, display, dialogs, files, compositor, &mixer, nullptr, &fonts},
            scripts, EngineOptions{kFrames, 1u});
        EXPECT_EQ(engine.run(), kExitNormal);
    }
    std::string replayed;
    ASSERT_TRUE(GameFolderFileSystem(game.path()).readFile("end.txt", replayed));
    EXPECT_EQ(replayed, end);

    SDL_JoystickClose(pad);
    SDL_JoystickDetachVirtual(index);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER);
}

}  // namespace
}  // namespace tavro
