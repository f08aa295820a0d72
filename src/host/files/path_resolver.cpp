// Resolution tries the cheap exact forms first and lists folders only when they miss, so a
// game whose names already match the disk costs one stat per open.
#include "host/files/path_resolver.h"

#include <dirent.h>
#include <sys/stat.h>

#include <optional>

#include "host/files/mangled_names.h"
#include "text/ascii_case.h"
#include "text/shift_jis.h"

namespace tavro {
namespace {

bool isSeparator(char byte) {
    return byte == '\\' || byte == '/';
}

std::string joinPath(const std::string& base, std::string_view name) {
    if (name.empty()) {
        return base;
    }
    std::string joined = base;
    if (!joined.empty() && joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

bool exists(const std::string& diskPath) {
    struct stat info;
    return ::stat(diskPath.c_str(), &info) == 0;
}

bool isDirectory(const std::string& diskPath) {
    struct stat info;
    return ::stat(diskPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool hasDriveLetter(const std::vector<std::string>& components) {
    if (components.empty() || components[0].size() != 2 || components[0][1] != ':') {
        return false;
    }
    char letter = asciiLower(components[0][0]);
    return letter >= 'a' && letter <= 'z';
}

template <typename Visit>
void forEachEntry(const std::string& directory, Visit visit) {
    DIR* stream = ::opendir(directory.c_str());
    if (stream == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(stream)) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        bool directoryEntry = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            directoryEntry = isDirectory(joinPath(directory, name));
        }
        visit(name, directoryEntry);
    }
    ::closedir(stream);
}

// The disk name in the folder that a game's name component stands for: the name itself or its
// UTF-8 form, else one differing only in case, else a mangled name that reads back as it (see
// mangled_names.h), in one listing of the folder. Among several candidates of one kind the
// smallest wins, so the choice does not depend on listing order.
std::optional<std::string> findEntry(const std::string& directory, const std::string& name) {
    if (name == "." || name == "..") {
        return name;
    }
    if (exists(joinPath(directory, name))) {
        return name;
    }
    std::string utf8;
    bool converts = shiftJisToUtf8(name, utf8);
    if (converts && exists(joinPath(directory, utf8))) {
        return utf8;
    }
    std::optional<std::string> sameButCase, mangled;
    auto keepSmallest = [](std::optional<std::string>& best, std::string_view entry) {
        if (!best || entry < *best) {
            best = std::string(entry);
        }
    };
    forEachEntry(directory, [&](std::string_view entry, bool) {
        if (namesEqualIgnoringCase(entry, name, true) ||
            (converts && namesEqualIgnoringCase(entry, utf8, false))) {
            keepSmallest(sameButCase, entry);
            return;
        }
        for (const std::string& unmangled : unmangledShiftJisNames(entry)) {
            if (namesEqualIgnoringCase(unmangled, name, true)) {
                keepSmallest(mangled, entry);
            }
        }
    });
    return sameButCase ? sameButCase : mangled;
}

std::string joinComponents(const std::string& base, const std::vector<std::string>& components) {
    std::string joined = base;
    for (const std::string& component : components) {
        joined = joinPath(joined, component);
    }
    return joined;
}

// Drops "." and lets each ".." take back the name before it; false when a ".." would step above
// the folder the path starts in.
bool collapseDots(std::vector<std::string>& components) {
    std::vector<std::string> collapsed;
    for (std::string& component : components) {
        if (component == "..") {
            if (collapsed.empty()) {
                return false;
            }
            collapsed.pop_back();
        } else if (component != ".") {
            collapsed.push_back(std::move(component));
        }
    }
    components = std::move(collapsed);
    return true;
}

}  // namespace

SplitPath splitGamePath(std::string_view path) {
    SplitPath split;
    split.absolute = !path.empty() && isSeparator(path[0]);
    std::string component;
    for (size_t i = 0; i < path.size(); ++i) {
        char byte = path[i];
        if (isShiftJisLeadByte(static_cast<unsigned char>(byte)) && i + 1 < path.size()) {
            component += byte;
            component += path[++i];
        } else if (isSeparator(byte)) {
            if (!component.empty()) {
                split.components.push_back(std::move(component));
                component.clear();
            }
        } else {
            component += byte;
        }
    }
    if (!component.empty()) {
        split.components.push_back(std::move(component));
    }
    split.absolute = split.absolute || hasDriveLetter(split.components);
    return split;
}

bool pathInsideGame(std::string_view path, std::vector<std::string>& components) {
    SplitPath split = splitGamePath(path);
    if (split.absolute || !collapseDots(split.components)) {
        return false;
    }
    components = std::move(split.components);
    return true;
}

std::string joinedNames(const std::vector<std::string>& names, size_t from, size_t end) {
    std::string path;
    for (size_t i = from; i < end; ++i) {
        path += (i == from ? "" : "/") + names[i];
    }
    return path;
}

bool namesEqualIgnoringCase(std::string_view a, std::string_view b, bool shiftJis) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (shiftJis && isShiftJisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) {
                return false;
            }
            ++i;
        } else if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

PathResolver::PathResolver(std::string root) : root_(root.empty() ? "." : std::move(root)) {}

bool PathResolver::resolveComponents(const std::string& base,
                                     const std::vector<std::string>& components,
                                     std::string& relative) const {
    // A zero byte would cut the disk path short and name some other file.
    for (const std::string& component : components) {
        if (component.find('\0') != std::string::npos) {
            return false;
        }
    }
    std::string asGiven = joinComponents("", components);
    if (exists(joinPath(base, asGiven))) {
        relative = asGiven;
        return true;
    }
    std::vector<std::string> converted(components.size());
    bool allConvert = true;
    for (size_t i = 0; i < components.size(); ++i) {
        allConvert = shiftJisToUtf8(components[i], converted[i]) && allConvert;
    }
    if (allConvert) {
        std::string asUtf8 = joinComponents("", converted);
        if (exists(joinPath(base, asUtf8))) {
            relative = asUtf8;
            return true;
        }
    }
    std::string current;
    for (const std::string& component : components) {
        std::optional<std::string> entry = findEntry(joinPath(base, current), component);
        if (!entry) {
            return false;
        }
        current = joinPath(current, *entry);
    }
    relative = current;
    return true;
}

bool PathResolver::resolveExisting(std::string_view path, std::string& diskPath) const {
    // Reading may reach outside the game folder, as it could on Windows.
    bool fromFileSystemRoot = !path.empty() && isSeparator(path[0]);
    const std::string& base = fromFileSystemRoot ? "/" : root_;
    std::string relative;
    if (!resolveComponents(base, splitGamePath(path).components, relative)) {
        return false;
    }
    diskPath = joinPath(base, relative);
    return true;
}

bool PathResolver::resolveForWrite(std::string_view path, WriteTarget& target) const {
    std::vector<std::string> components;
    if (!pathInsideGame(path, components) || components.empty()) {
        return false;
    }
    std::string name = std::move(components.back());
    components.pop_back();
    if (name.find('\0') != std::string::npos) {
        return false;
    }
    std::string folder;
    if (!resolveComponents(root_, components, folder) || !isDirectory(joinPath(root_, folder))) {
        return false;
    }
    const std::string directory = joinPath(root_, folder);
    target.folder = folder;
    if (std::optional<std::string> entry = findEntry(directory, name)) {
        target.name = *entry;
        return true;
    }
    std::string utf8;
    target.name = shiftJisToUtf8(name, utf8) ? utf8 : name;
    return true;
}

std::vector<DirectoryEntry> PathResolver::listDirectory(std::string_view directory) const {
    std::vector<DirectoryEntry> entries;
    std::string diskPath;
    if (!resolveExisting(directory, diskPath)) {
        return entries;
    }
    forEachEntry(diskPath, [&](std::string_view name, bool directoryEntry) {
        DirectoryEntry entry;
        if (!utf8ToShiftJis(name, entry.name)) {
            entry.name.assign(name);
        }
        entry.isDirectory = directoryEntry;
        entries.push_back(std::move(entry));
    });
    return entries;
}

}  // namespace tavro
