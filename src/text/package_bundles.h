// Package bundles: the texts of a game's task, script and animation files kept in three
// tables, so a released game runs from "package.tsk", "package.scr" and "package.ani" without
// its sources. Each table maps a file name, exactly as the reader asked for it, to the file's
// whole unprepared text; entries keep the position of their first insertion. A bundle on disk
// is its table in the name=value; form, scrambled with the game's password.
#pragma once

#include <array>
#include <cstdint>

#include "host/file_system.h"
#include "text/error_report.h"
#include "text/named_text_table.h"
#include "text/text_string.h"

namespace tavro {

enum class BundleKind : int32_t { kTask = 0, kScript = 1, kAnimation = 2 };
inline constexpr int32_t kBundleKindCount = 3;

// "package.tsk", "package.scr" or "package.ani".
const char* bundleFileName(BundleKind kind);
// Whether the name is one of the three bundle files.
bool isBundleFileName(const char* name);

// Where a kind's texts come from: the game's own file first (the table records it and stands
// in when the file is gone), or the table alone.
enum class SourceMode { kOriginalFirst, kBundleOnly };

class PackageBundles {
  public:
    NamedTextTable& table(BundleKind kind) { return tables_[index(kind)]; }
    const NamedTextTable& table(BundleKind kind) const { return tables_[index(kind)]; }

    // The text of one game file for a reader of this kind, unprepared. Original-first reads
    // the file (a name ending in ".xx" unscrambled with the default key) and falls back to
    // the table with a note at severity 1 (none for tasks); the text used is stored under the
    // name. Bundle-only reads the table alone. False when neither has the file.
    bool fetch(FileSystem& files, ErrorSink* log, BundleKind kind, SourceMode mode,
               const TextString& fileName, TextString& text);

    // Reads the kind's bundle file unscrambled with the password (empty: plain) into its
    // table, which is emptied first. False, table untouched, when the file cannot be read.
    bool load(FileSystem& files, ErrorSink* log, BundleKind kind, const TextString& password);
    // Replaces the kind's bundle file with its table, scrambled with the password.
    bool save(FileSystem& files, ErrorSink* log, BundleKind kind, const TextString& password) const;

  private:
    static size_t index(BundleKind kind) { return static_cast<size_t>(kind); }

    std::array<NamedTextTable, kBundleKindCount> tables_;
};

}  // namespace tavro
