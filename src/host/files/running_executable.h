// Where the running tavro executable lies, for the files that come with Tavro itself (the
// web build, the author's guide), which are found from there.
#pragma once

#include <filesystem>

namespace tavro {

// The executable's path, links resolved; empty when the system does not tell it.
std::filesystem::path runningExecutable();

}  // namespace tavro
