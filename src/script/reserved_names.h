// The names the engine itself reads and writes, and when each group receives its name number.
// Numbers are given in the order the names are first seen, and a game can see them (a bare
// name evaluates to its number), so each group is numbered at one fixed moment, in the order
// of its list in reserved_names.cpp:
// - the start properties, then the system variables, when the run's state is made;
// - the window variables, when start-up seeds them (numberWindowVariables);
// - the interpreter's properties, on its first run (numberInterpreterNames);
// - "flagStoper", on the first frame pass (numberFlagStoper).
#pragma once

#include <cstdint>

#include "script/variables.h"

namespace tavro {

// The eight properties every new instance starts with.
struct StartPropertyIds {
    int32_t red, green, blue, alpha, scaleX, scaleY, scrollX, scrollY;
};

// The system variables the shell exchanges with the scripts every frame.
struct SystemVariableIds {
    int32_t fps, mouseX, mouseY, red, green, blue, cameraConf, cameraSpeed, cameraX, cameraY;
};

// The system variables start-up seeds from the window and the settings.
struct WindowVariableIds {
    int32_t windowX, windowY, windowWidth, windowHeight, screenWidth, screenHeight;
};

// The object properties the interpreter reads directly.
struct PropertyIds {
    int32_t x, y, width, height, scaleX, scaleY, angle, alpha, red, green, blue, scrollX, scrollY,
        priority, radius, centerX, centerY;
};

StartPropertyIds numberStartProperties(NameIdTable& names);
SystemVariableIds numberSystemVariables(NameIdTable& names);
WindowVariableIds numberWindowVariables(NameIdTable& names);

// The names numbered by the interpreter's first run and first frame pass. Until then their
// numbers read 0.
class InterpreterNames {
  public:
    // The interpreter's properties, numbered by the first call only.
    void numberProperties(NameIdTable& names);
    // "flagStoper", numbered by the first call only.
    void numberFlagStoper(NameIdTable& names);

    const PropertyIds& properties() const { return properties_; }
    int32_t flagStoper() const { return flagStoper_; }

  private:
    PropertyIds properties_{};
    bool propertiesNumbered_ = false;
    int32_t flagStoper_ = 0;
};

}  // namespace tavro
