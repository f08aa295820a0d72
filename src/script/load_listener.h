// LoadListener: what the task loader and the statement compiler tell a check of a game
// (tavro --check) while they read it: which task or script file they are reading, each file
// it names that cannot be loaded, and each syntax error. A run has no listener. With one, a
// syntax error goes to the listener instead of a message box and does not stop the engine:
// compilation goes on with the next statement, so every error of every file is found.
#pragma once

#include "script/source_location.h"
#include "text/text_string.h"

namespace tavro {

enum class NamedFileKind { kTask, kScript, kImage, kSound };

// Why a block statement does not compile.
enum class SyntaxFault {
    kNone,
    kNoBlock,          // no block follows the header
    kUnclosedBlock,    // the closing brace of its block cannot be found
    kNestedTooDeeply,  // deeper than kMaxCompileDepth
};

class LoadListener {
  public:
    virtual ~LoadListener() = default;
    // A task or script file has been fetched and is being read; fileLeft when it is done.
    // Files nest: a task reads its children and compiles its scripts while it is read.
    virtual void fileEntered(NamedFileKind kind, const TextString& name) = 0;
    virtual void fileLeft() = 0;
    // The file being read names a file that does not load.
    virtual void loadFailed(NamedFileKind kind, const TextString& name) = 0;
    // The statement (its header, for a block statement) of the script being compiled, and
    // where it starts.
    virtual void syntaxError(const TextString& statement, SyntaxFault fault,
                             SourceLocation where) = 0;
};

// Tells the listener, if there is one, that a file is being read, for as long as it lives.
class ListenedFile {
  public:
    ListenedFile(LoadListener* listener, NamedFileKind kind, const TextString& name)
        : listener_(listener) {
        if (listener_ != nullptr) {
            listener_->fileEntered(kind, name);
        }
    }
    ~ListenedFile() {
        if (listener_ != nullptr) {
            listener_->fileLeft();
        }
    }
    ListenedFile(const ListenedFile&) = delete;
    ListenedFile& operator=(const ListenedFile&) = delete;

  private:
    LoadListener* listener_;
};

inline void reportLoadFailure(LoadListener* listener, NamedFileKind kind, const TextString& name) {
    if (listener != nullptr) {
        listener->loadFailed(kind, name);
    }
}

}  // namespace tavro
