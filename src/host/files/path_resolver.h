// Maps the Windows-style names a game writes (Shift-JIS bytes, '\' between folders, any letter
// case) onto the files of a Linux game folder:
//   - '\' and '/' both separate folders; a 0x5C that is the trail byte of a double-byte
//     character belongs to that character;
//   - a path is tried as given, then converted to UTF-8, then component by component against
//     each folder's listing, ASCII letters compared without case, in either encoding;
//   - a name still not found is looked for among the names extractors make of Shift-JIS
//     (mangled_names.h), read once per folder;
//   - a new file gets its UTF-8 name where the name converts;
//   - listed names come back as Shift-JIS so they compare equal to names written in scripts;
//   - writes stay inside the game folder ("." and ".." are collapsed by name first).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/file_system.h"

namespace tavro {

struct SplitPath {
    std::vector<std::string> components;  // without empty ones
    bool absolute = false;                // leading separator or a drive letter
};

SplitPath splitGamePath(std::string_view path);

// The names a game path leads through below the game folder, "." dropped and each ".." taking
// back the name before it, as Windows reads a path; false for an absolute path or one whose ".."
// would climb out of the folder.
bool pathInsideGame(std::string_view path, std::vector<std::string>& components);

// Names [from, end) joined by '/'.
std::string joinedNames(const std::vector<std::string>& names, size_t from, size_t end);
inline std::string joinedNames(const std::vector<std::string>& names) {
    return joinedNames(names, 0, names.size());
}

// Compares two names with ASCII letters folded to one case. With shiftJis set, the trail byte of
// a double-byte character is compared exactly even when it looks like a letter.
bool namesEqualIgnoringCase(std::string_view a, std::string_view b, bool shiftJis);

// Where a write goes: a folder below the game folder and a name in it, both as on the disk.
struct WriteTarget {
    std::string folder;  // "" for the game folder itself, else names joined by '/'
    std::string name;
};

class PathResolver {
  public:
    // root is the game folder as a disk path; empty means the current directory.
    explicit PathResolver(std::string root);

    // The disk path of an existing file or folder; false when none matches.
    bool resolveExisting(std::string_view path, std::string& diskPath) const;
    // Where a write of this file goes: the existing file it names, or a new name in an existing
    // folder; "." and ".." are taken by their names as Windows does. False for a path that
    // leaves the game folder (absolute, or climbing out with ".."), that names no file, or
    // whose folder does not exist. Links are followed here: opening the target must not.
    bool resolveForWrite(std::string_view path, WriteTarget& target) const;
    // The entries of a folder ("" is the game folder), names as Shift-JIS where they convert.
    std::vector<DirectoryEntry> listDirectory(std::string_view directory) const;

  private:
    // The disk path below base that the components name, relative to base.
    bool resolveComponents(const std::string& base, const std::vector<std::string>& components,
                           std::string& relative) const;

    std::string root_;
};

}  // namespace tavro
