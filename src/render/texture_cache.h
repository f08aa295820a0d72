// The texture cache's release and reload around a device change and at shut-down. For now
// stand-ins: no texture is ever loaded.
#pragma once

namespace tavro {

inline void FreeTextureCache() {}
inline void ReloadTextures() {}

}  // namespace tavro
