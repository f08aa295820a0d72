// Files opened for writing inside one folder without following a symbolic link anywhere below
// it: each folder on the way is opened relative to the one before with O_NOFOLLOW, and so is
// the file itself, so a link planted in the folder cannot lead a write elsewhere, nor truncate
// or append to a file through it.
#pragma once

#include <string>

namespace tavro {

// Owns one open file descriptor.
class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor = -1) : descriptor_(descriptor) {}
    ~FileDescriptor() { close(); }
    FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool valid() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }
    int release();
    // Closes now; false when the close reports an error (a write that failed late).
    bool close();

  private:
    int descriptor_;
};

class ConfinedFolder {
  public:
    // root is the folder's disk path; empty means the current directory. The root itself may
    // be reached through links: it is the user's choice.
    explicit ConfinedFolder(std::string root);

    // The folder at a '/'-separated path of disk names below the root ("" is the root),
    // opened without following links; with create, missing folders are made on the way.
    // Invalid when any step is a link, not a folder, "." or "..", or cannot be opened.
    FileDescriptor openFolder(const std::string& folder, bool create = false) const;

    // Whether a file can be created in the root: false when the folder is read-only (a
    // read-only mount, no write permission) as found by trying.
    bool writable() const;

  private:
    std::string root_;
};

// openat with O_NOFOLLOW and O_CLOEXEC added, retried when a signal interrupts it.
int openBeneath(int folder, const std::string& name, int flags);

}  // namespace tavro
