// The drawing, sound, music, font, background colour and camera statements. "draw(" and
// "text(" add an item to the frame's draw list, "font(" replaces the current font; the sound
// statements play, stop and rewind the object's own SoundRefs and start or stop the run's
// music. Every command evaluates its arguments in the order the games rely on (assignments
// inside arguments take effect).
#pragma once

#include "script/contexts.h"
#include "script/statement.h"
#include "script/task_instance.h"

namespace tavro {

// Image and sound ids of the drawing and sound statements stop here unless the object's array
// is already that long; an id past both does nothing.
inline constexpr int32_t kMediaIdLimit = 1 << 16;

void runMediaCommand(EngineState& state, const Statement& statement, uint32_t kind,
                     TaskInstance& current, TaskInstance& origin);

// The text "text(" shows for this format (see ScriptText), compiled on the spot.
TextString formatScriptText(const TextString& format, InstanceContext& context);

}  // namespace tavro
