// The background music player. For now a stand-in: no music ever plays.
#pragma once

namespace tavro {

inline void StopMusic() {}

}  // namespace tavro
