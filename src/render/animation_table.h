// The animation table's release at shut-down. For now a stand-in: no animation is loaded.
#pragma once

namespace tavro {

inline void FreeAnimations() {}

}  // namespace tavro
