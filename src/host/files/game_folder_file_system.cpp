#include "host/files/game_folder_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <utility>

#include "host/files/read_refusals.h"

namespace tavro {
namespace {

constexpr size_t kReadChunk = 65536;  // growth step when a file is longer than its size said

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Writes to an opened file and closes it, checking every step.
bool writeAndClose(FileDescriptor& file, std::string_view bytes) {
    bool written = file.valid() && writeAll(file.get(), bytes);
    return file.close() && written;
}

// Creates a fresh temporary file in the folder. Its name is short whatever the target's
// length, starts with a dot, and carries the process id and a counter, so concurrent writers
// never share one.
FileDescriptor createTemporaryIn(int folder, std::string& temporaryName, unsigned& counter) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryName =
            ".tavro-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        FileDescriptor file(openBeneath(folder, temporaryName, O_WRONLY | O_CREAT | O_EXCL));
        if (file.valid() || errno != EEXIST) {
            return file;
        }
    }
    return FileDescriptor();
}

// Reads the open regular file of the given size into bytes, refusing more than limit bytes
// (a file that grows while being read still ends whole while it stays within the limit).
bool readOpenFile(int descriptor, size_t size, size_t limit, std::string& bytes) {
    std::string contents(size, '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            if (contents.size() >= limit) {
                char probe;
                ssize_t count = ::read(descriptor, &probe, 1);
                return count == 0 && (bytes = std::move(contents), true);
            }
            contents.resize(std::min(contents.size() + kReadChunk, limit));
        }
        ssize_t count = ::read(descriptor, contents.data() + filled, contents.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<size_t>(count);
    }
    contents.resize(filled);
    bytes = std::move(contents);
    return true;
}

}  // namespace

GameFolderFileSystem::GameFolderFileSystem(std::string root)
    : resolver_(root), folder_(std::move(root)) {}

bool GameFolderFileSystem::readBounded(std::string_view path, std::string& bytes, FileKind kind) {
    std::string diskPath;
    if (!resolver_.resolveExisting(path, diskPath)) {
        return false;
    }
    // O_NONBLOCK: a FIFO or a device must not hold the open; only regular files are read.
    FileDescriptor file(::open(diskPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat info;
    if (!file.valid() || ::fstat(file.get(), &info) != 0) {
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        if (!S_ISDIR(info.st_mode)) {
            refusals_.say(path, "it is not a regular file");
        }
        return false;
    }
    const size_t limit = largestReadableFile(kind);
    if (static_cast<uint64_t>(info.st_size) > limit) {
        refusals_.say(path, tooLargeReason(static_cast<uint64_t>(info.st_size), kind));
        return false;
    }
    try {
        if (readOpenFile(file.get(), static_cast<size_t>(info.st_size), limit, bytes)) {
            return true;
        }
        refusals_.say(path, "reading it failed or it grew past its limit");
    } catch (const std::bad_alloc&) {
        refusals_.say(path, "there is not enough memory for it");
    }
    return false;
}

FileDescriptor GameFolderFileSystem::openWriteFolder(std::string_view path, WriteTarget& target) {
    return resolver_.resolveForWrite(path, target) ? folder_.openFolder(target.folder)
                                                   : FileDescriptor();
}

bool GameFolderFileSystem::replaceFile(std::string_view path, std::string_view bytes) {
    WriteTarget target;
    FileDescriptor folder = openWriteFolder(path, target);
    if (!folder.valid()) {
        return false;
    }
    struct stat old;
    const bool hasOld =
        ::fstatat(folder.get(), target.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (hasOld && S_ISLNK(old.st_mode)) {
        return false;  // a link is never written through, nor replaced
    }
    std::string temporaryName;
    FileDescriptor file = createTemporaryIn(folder.get(), temporaryName, temporaryFiles_);
    if (!file.valid()) {
        return false;
    }
    if (hasOld && S_ISREG(old.st_mode)) {
        ::fchmod(file.get(), old.st_mode & 07777);  // keep the old file's permissions
    }
    bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (file.close() && written &&
        ::renameat(folder.get(), temporaryName.c_str(), folder.get(), target.name.c_str()) == 0) {
        return true;
    }
    ::unlinkat(folder.get(), temporaryName.c_str(), 0);
    return false;
}

bool GameFolderFileSystem::writeOpened(std::string_view path, int flags, std::string_view bytes) {
    WriteTarget target;
    FileDescriptor folder = openWriteFolder(path, target);
    if (!folder.valid()) {
        return false;
    }
    // O_NONBLOCK: a FIFO in the way fails at once instead of waiting for a reader.
    FileDescriptor file(openBeneath(folder.get(), target.name, flags | O_NONBLOCK));
    struct stat info;
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    return writeAndClose(file, bytes);
}

bool GameFolderFileSystem::appendFile(std::string_view path, std::string_view bytes) {
    return writeOpened(path, O_WRONLY | O_CREAT | O_APPEND, bytes);
}

bool GameFolderFileSystem::truncateFile(std::string_view path) {
    return writeOpened(path, O_WRONLY | O_CREAT | O_TRUNC, {});
}

bool GameFolderFileSystem::makeFolder(std::string_view directory) {
    std::vector<std::string> components;
    if (!pathInsideGame(directory, components)) {
        return false;
    }
    std::string walked;
    for (const std::string& component : components) {
        walked += walked.empty() ? component : "/" + component;
        WriteTarget target;
        if (!resolver_.resolveForWrite(walked, target) ||
            !folder_.openFolder(target.folder + "/" + target.name, true).valid()) {
            return false;
        }
    }
    return true;
}

std::vector<DirectoryEntry> GameFolderFileSystem::listDirectory(std::string_view directory) {
    return resolver_.listDirectory(directory);
}

bool GameFolderFileSystem::folderIdentity(std::string_view directory, FolderIdentity& identity) {
    std::string diskPath;
    struct stat info;
    if (!resolver_.resolveExisting(directory, diskPath) || ::stat(diskPath.c_str(), &info) != 0 ||
        !S_ISDIR(info.st_mode)) {
        return false;
    }
    identity = {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
    return true;
}

}  // namespace tavro
