// What a player is told when a file that is there is not read (not a regular file, too large,
// damaged): one line on standard error per file, however often the game asks for it.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "host/file_system.h"

namespace tavro {

class ReadRefusals {
  public:
    // "tavro: 'PATH' is not read: WHY", the path converted from Shift-JIS; once per path.
    void say(std::string_view path, const std::string& why);

  private:
    std::set<std::string> said_;
};

// Why a file of this size is refused for its kind ("it has N bytes, more than the 64 MB a
// text file may have").
std::string tooLargeReason(uint64_t size, FileKind kind);

}  // namespace tavro
