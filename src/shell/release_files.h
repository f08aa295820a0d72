// The bundles at start-up and the files a release run leaves behind: at start-up the three
// bundles are read with the package password; at the end of a release run the three bundles
// and a "package.ini" that makes the folder run from them alone are written, each replacing
// its old file whole.
#pragma once

#include <string>
#include <vector>

#include "script/engine_state.h"

namespace tavro {

// Loads "package.ani", then "package.scr", then "package.tsk" with the current
// `packagePassword`. A missing bundle leaves its table as it was.
void loadPackageBundles(EngineState& state);

// Which release files were written and which could not be.
struct ReleaseFiles {
    std::vector<std::string> written;
    std::vector<std::string> failed;
};

// Saves "package.tsk", "package.scr" and "package.ani" with the current `packagePassword`,
// then the settings as "package.ini". A file that cannot be written does not stop the others.
ReleaseFiles writeReleaseFiles(EngineState& state);

// The one line a release run ends with, naming what it wrote.
std::string describeRelease(const ReleaseFiles& files);

}  // namespace tavro
