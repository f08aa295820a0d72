#include "text/package_bundles.h"

#include <string_view>

#include "text/messages.h"
#include "text/scrambled_file.h"

namespace tavro {

namespace {

constexpr const char* kBundleFileNames[kBundleKindCount] = {"package.tsk", "package.scr",
                                                            "package.ani"};

// What the log says when a missing file's text comes from the table; none for tasks.
const char* substituteNote(BundleKind kind) {
    switch (kind) {
        case BundleKind::kScript:
            return kBundleSubstituteScriptMessage;
        case BundleKind::kAnimation:
            return kBundleSubstituteAnimationMessage;
        case BundleKind::kTask:
            break;
    }
    return nullptr;
}

}  // namespace

const char* bundleFileName(BundleKind kind) {
    return kBundleFileNames[static_cast<size_t>(kind)];
}

bool isBundleFileName(const char* name) {
    const std::string_view text = name != nullptr ? name : "";
    for (const char* bundle : kBundleFileNames) {
        if (text == bundle) {
            return true;
        }
    }
    return false;
}

bool PackageBundles::fetch(FileSystem& files, ErrorSink* log, BundleKind kind, SourceMode mode,
                           const TextString& fileName, TextString& text) {
    NamedTextTable& entries = table(kind);
    text = "";
    const int32_t found = entries.indexOf(fileName.cStr());
    if (mode == SourceMode::kBundleOnly) {
        if (found < 0) {
            return false;
        }
        text = entries.valueAt(found);
        return true;
    }
    if (!ScrambledFile(files, log, fileName.cStr()).readAll(text)) {
        if (found < 0) {
            return false;
        }
        text = entries.valueAt(found);
        if (const char* note = substituteNote(kind)) {
            reportTo(log, note, Severity::kNotice);
        }
    }
    // The table always holds the last text used, at the position of its first insertion.
    entries.at(fileName.cStr()) = text;
    return true;
}

bool PackageBundles::load(FileSystem& files, ErrorSink* log, BundleKind kind,
                          const TextString& password) {
    ScrambledFile file(files, log, bundleFileName(kind));
    file.setKey(password.cStr());
    TextString text;
    if (!file.readAll(text)) {
        return false;
    }
    // An empty bundle is a successful load of an empty table.
    readKeyValueText(text, table(kind));
    return true;
}

bool PackageBundles::save(FileSystem& files, ErrorSink* log, BundleKind kind,
                          const TextString& password) const {
    TextString text;
    writeKeyValueText(table(kind), text);
    ScrambledFile file(files, log, bundleFileName(kind));
    file.setKey(password.cStr());
    return file.writeAll(text);
}

}  // namespace tavro
