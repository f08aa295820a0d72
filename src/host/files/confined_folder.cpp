#include "host/files/confined_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace tavro {

namespace {

constexpr mode_t kNewFolderMode = 0777;  // narrowed by the umask
constexpr mode_t kNewFileMode = 0666;

}  // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        close();
        descriptor_ = other.release();
    }
    return *this;
}

int FileDescriptor::release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}

bool FileDescriptor::close() {
    if (descriptor_ < 0) {
        return true;
    }
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    return result == 0;
}

int openBeneath(int folder, const std::string& name, int flags) {
    int descriptor;
    do {
        descriptor = ::openat(folder, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

ConfinedFolder::ConfinedFolder(std::string root) : root_(root.empty() ? "." : std::move(root)) {}

FileDescriptor ConfinedFolder::openFolder(const std::string& folder, bool create) const {
    FileDescriptor current(::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    std::string_view rest = folder;
    while (current.valid() && !rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string name(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (name.empty()) {
            continue;
        }
        if (name == "." || name == "..") {
            return FileDescriptor();
        }
        if (create) {
            ::mkdirat(current.get(), name.c_str(), kNewFolderMode);  // EEXIST is fine
        }
        // O_PATH with O_NOFOLLOW would open a link itself; O_DIRECTORY refuses it, and the
        // check below makes sure.
        FileDescriptor next(openBeneath(current.get(), name, O_PATH | O_DIRECTORY));
        struct stat info;
        if (!next.valid() || ::fstat(next.get(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            return FileDescriptor();
        }
        current = std::move(next);
    }
    return current;
}

bool ConfinedFolder::writable() const {
    FileDescriptor root = openFolder("");
    if (!root.valid()) {
        return false;
    }
    const std::string probe = ".tavro-probe-" + std::to_string(::getpid());
    FileDescriptor file(openBeneath(root.get(), probe, O_WRONLY | O_CREAT | O_EXCL));
    if (!file.valid()) {
        return errno != EROFS && errno != EACCES && errno != EPERM;
    }
    ::unlinkat(root.get(), probe.c_str(), 0);
    return true;
}

}  // namespace tavro
