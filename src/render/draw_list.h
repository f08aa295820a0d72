// The frame's draw list: drawn through the sprite batch after the scripts ran, or thrown away
// when the frame's picture is skipped. For now a stand-in with nothing to draw.
#pragma once

namespace tavro {

inline void RenderDrawList() {}
inline void DiscardDrawList() {}

}  // namespace tavro
