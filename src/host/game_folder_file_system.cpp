#include "host/game_folder_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavro {
namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask
constexpr size_t kReadChunk = 65536;   // growth step when a file is longer than its size said

class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool valid() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }
    // Closes now; false when the close reports an error (a write that failed late).
    bool close() {
        if (descriptor_ < 0) {
            return true;
        }
        int result = ::close(descriptor_);
        descriptor_ = -1;
        return result == 0;
    }

  private:
    int descriptor_;
};

int openWithRetry(const std::string& diskPath, int flags, mode_t mode = kNewFileMode) {
    int descriptor;
    do {
        descriptor = ::open(diskPath.c_str(), flags | O_CLOEXEC, mode);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

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

// Writes to an already resolved path and closes, checking every step.
bool writeAndClose(FileDescriptor& file, std::string_view bytes) {
    bool written = file.valid() && writeAll(file.get(), bytes);
    return file.close() && written;
}

// Creates a fresh temporary file in the target's folder. Its name is short whatever the
// target's length, starts with a dot, and carries the process id and a counter, so concurrent
// writers never share one.
int createTemporaryBeside(const std::string& target, std::string& temporaryPath,
                          unsigned& counter) {
    size_t slash = target.rfind('/');
    std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath = directory + ".tavro-" + std::to_string(::getpid()) + "-" +
                        std::to_string(counter++) + ".tmp";
        int descriptor = openWithRetry(temporaryPath, O_WRONLY | O_CREAT | O_EXCL);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    return -1;
}

}  // namespace

GameFolderFileSystem::GameFolderFileSystem(std::string root) : resolver_(std::move(root)) {}

bool GameFolderFileSystem::readFile(std::string_view path, std::string& bytes) {
    std::string diskPath;
    if (!resolver_.resolveExisting(path, diskPath)) {
        return false;
    }
    FileDescriptor file(openWithRetry(diskPath, O_RDONLY));
    struct stat info;
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    // Read straight into the result; a file that grows while being read still ends whole.
    std::string contents(static_cast<size_t>(info.st_size), '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            contents.resize(contents.size() + kReadChunk);
        }
        ssize_t count = ::read(file.get(), contents.data() + filled, contents.size() - filled);
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

bool GameFolderFileSystem::replaceFile(std::string_view path, std::string_view bytes) {
    std::string target;
    if (!resolver_.resolveForWrite(path, target)) {
        return false;
    }
    std::string temporaryPath;
    FileDescriptor file(createTemporaryBeside(target, temporaryPath, temporaryFiles_));
    if (!file.valid()) {
        return false;
    }
    struct stat old;
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(file.get(), old.st_mode & 07777);  // keep the old file's permissions
    }
    bool written = writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (file.close() && written && ::rename(temporaryPath.c_str(), target.c_str()) == 0) {
        return true;
    }
    ::unlink(temporaryPath.c_str());
    return false;
}

bool GameFolderFileSystem::appendFile(std::string_view path, std::string_view bytes) {
    std::string target;
    if (!resolver_.resolveForWrite(path, target)) {
        return false;
    }
    FileDescriptor file(openWithRetry(target, O_WRONLY | O_CREAT | O_APPEND));
    return writeAndClose(file, bytes);
}

bool GameFolderFileSystem::truncateFile(std::string_view path) {
    std::string target;
    if (!resolver_.resolveForWrite(path, target)) {
        return false;
    }
    FileDescriptor file(openWithRetry(target, O_WRONLY | O_CREAT | O_TRUNC));
    return writeAndClose(file, {});
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
