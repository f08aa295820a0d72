#include "script/engine_state.h"

namespace tavro {

namespace {

StartPropertyIds numberStartProperties(NameIdTable& names) {
    return {names.idFor("red"),     names.idFor("green"),  names.idFor("blue"),
            names.idFor("alpha"),   names.idFor("scaleX"), names.idFor("scaleY"),
            names.idFor("scrollX"), names.idFor("scrollY")};
}

SystemVariableIds numberSystemVariables(NameIdTable& names) {
    return {names.idFor("fps"),        names.idFor("mouseX"),      names.idFor("mouseY"),
            names.idFor("red"),        names.idFor("green"),       names.idFor("blue"),
            names.idFor("cameraConf"), names.idFor("cameraSpeed"), names.idFor("cameraX"),
            names.idFor("cameraY")};
}

}  // namespace

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

void EngineState::numberProperties() {
    properties_ = {names.idFor("x"),       names.idFor("y"),        names.idFor("width"),
                   names.idFor("height"),  names.idFor("scaleX"),   names.idFor("scaleY"),
                   names.idFor("angle"),   names.idFor("alpha"),    names.idFor("red"),
                   names.idFor("green"),   names.idFor("blue"),     names.idFor("scrollX"),
                   names.idFor("scrollY"), names.idFor("priority"), names.idFor("radius"),
                   names.idFor("centerX"), names.idFor("centerY")};
    propertiesNumbered_ = true;
}

}  // namespace tavro
