#include "script/engine_state.h"

namespace tavro {

EngineState::EngineState(FileSystem& files, Dialogs* dialogs, Compositor& compositor,
                         AudioOutput* audio, MusicSynth* music, FontRenderer* fonts)
    : dialogs(dialogs),
      files(files),
      log(files),
      startIds(numberStartProperties(names)),
      systemIds(numberSystemVariables(names)),
      soundCache(audio, files, log),
      musicPlayer(music, audio, files, log),
      objects(startIds, log),
      graphics(compositor, log),
      textures(files, log),
      animations([this](const TextString& fileName, TextString& text) {
          return fetchSourceText(*this, BundleKind::kAnimation, fileName, text);
      }),
      font(graphics, log, fonts) {}

}  // namespace tavro
