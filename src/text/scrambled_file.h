// ScrambledFile: whole-file access to one path, optionally through the engine's byte-wise
// scrambling. Every operation opens and closes the file itself through the run's file system
// and reports its failures to the run's error sink (none: not reported).
// A path ending in ".xx" selects the built-in default key by itself.
#pragma once

#include <cstdint>

#include "host/file_system.h"
#include "text/error_report.h"
#include "text/text_string.h"

namespace tavro {

inline constexpr const char* kDefaultScrambleKey = "tavro_StandardMixWord";

// Scrambles count bytes in place with the key (restarting at the key's first byte). A byte
// equal to its key byte is first replaced by 1, so a key without byte 1 never produces a zero
// byte. False, bytes untouched, when there are no bytes or the key is empty.
bool scrambleText(char* bytes, int32_t count, const char* key);
// Reverses scrambleText; a plain byte 1 cannot be told apart and comes back as the key byte.
bool unscrambleText(char* bytes, int32_t count, const char* key);

class ScrambledFile {
  public:
    ScrambledFile(FileSystem& files, ErrorSink* log, const char* path);

    // Stores the path; ".xx" at its end selects the default key, any other ending drops the
    // default key (an explicitly set other key stays).
    void setPath(const char* path);
    void setKey(const char* key) { key_ = key; }
    const TextString& path() const { return path_; }
    const TextString& key() const { return key_; }

    // Appends the whole unscrambled file to out, zero bytes included.
    bool readAll(TextString& out) const;
    // Replaces the file's contents with the scrambled text; on failure the old file stays.
    bool writeAll(const TextString& text) const;
    // Appends the scrambled text (key restarting at its first byte) to the end of the file.
    bool appendText(const TextString& text) const;
    // Creates the file or cuts it to length 0.
    bool truncate() const;

  private:
    // False, after reporting an invalid file name, when the path is empty.
    bool pathUsable() const;
    void reportOpenFailure(const char* modeSuffix) const;
    std::string scrambled(const TextString& text) const;

    FileSystem& files_;
    ErrorSink* log_;
    TextString path_;
    TextString key_;
};

}  // namespace tavro
