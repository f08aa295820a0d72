// The release bundles "package.ani", "package.scr" and "package.tsk": loaded at start-up and,
// in a release run, written at shut-down with the package password. For now stand-ins that
// load and write nothing.
#pragma once

#include "text/text_string.h"

namespace tavro {

inline void loadPackageBundles(const TextString& password) {
    (void)password;
}
inline bool savePackageBundles(const TextString& password) {
    (void)password;
    return true;
}

}  // namespace tavro
