#include "host/archive/archive_file_system.h"

#include <algorithm>
#include <new>
#include <utility>

#include "host/files/path_resolver.h"
#include "host/files/read_refusals.h"
#include "text/ascii_case.h"
#include "text/shift_jis.h"

namespace tavro {
namespace {

// ASCII letters in one case, the trail bytes of double-byte characters left as they are.
std::string folded(std::string_view name) {
    std::string key(name);
    for (size_t i = 0; i < key.size(); ++i) {
        if (isShiftJisLeadByte(static_cast<unsigned char>(key[i]))) {
            ++i;
        } else {
            key[i] = asciiLower(key[i]);
        }
    }
    return key;
}

// The folded path a game's path names; false when it leaves the archive.
bool keyOf(std::string_view path, std::string& key) {
    std::vector<std::string> components;
    if (!pathInsideGame(path, components)) {
        return false;
    }
    key = folded(joinedNames(components));
    return true;
}

std::string openError(int code) {
    switch (code) {
        case ZIP_ER_NOZIP:
            return "it is not a zip archive, or it is cut short: copy or download it again";
        case ZIP_ER_MULTIDISK:
            return "it is one part of a split archive: join the parts into one .zip first";
        case ZIP_ER_INCONS:
            return "it is damaged (its directory does not match its entries): copy or "
                   "download it again";
        default:
            break;
    }
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = std::string("it cannot be opened (") + zip_error_strerror(&error) + ")";
    zip_error_fini(&error);
    return text;
}

struct RawEntry {
    std::vector<std::string> components;  // Shift-JIS
    zip_uint64_t index = 0;
    bool isDirectory = false;
};

// The entry's name as the game writes it: Shift-JIS. Without the UTF-8 flag libzip's strict
// reading converts the raw bytes from CP437 and so differs from them; with it, both agree.
std::string gameName(zip_t* archive, zip_uint64_t index) {
    const char* raw = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    if (raw == nullptr) {
        return "";
    }
    std::string name = raw;
    const char* strict = zip_get_name(archive, index, ZIP_FL_ENC_STRICT);
    std::string shiftJis;
    if (strict != nullptr && name == strict && utf8ToShiftJis(name, shiftJis)) {
        return shiftJis;
    }
    return name;
}

// A game inside one top folder: every entry lies in it.
bool allInOneTopFolder(const std::vector<RawEntry>& entries) {
    if (entries.empty()) {
        return false;
    }
    const std::string top = folded(entries[0].components[0]);
    return std::all_of(entries.begin(), entries.end(), [&](const RawEntry& entry) {
        return folded(entry.components[0]) == top &&
               (entry.components.size() > 1 || entry.isDirectory);
    });
}

}  // namespace

ArchiveFileSystem::~ArchiveFileSystem() {
    zip_discard(archive_);
}

std::unique_ptr<ArchiveFileSystem> ArchiveFileSystem::open(const std::string& path,
                                                           std::string& error) {
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (archive == nullptr) {
        error = openError(code);
        return nullptr;
    }
    return fromOpened(archive, error);
}

std::unique_ptr<ArchiveFileSystem> ArchiveFileSystem::openBytes(const std::string& bytes,
                                                                std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    zip_t* archive = source == nullptr
                         ? nullptr
                         : zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
    if (archive == nullptr) {
        zip_source_free(source);
        error = openError(zip_error_code_zip(&zipError));
        zip_error_fini(&zipError);
        return nullptr;
    }
    zip_error_fini(&zipError);
    return fromOpened(archive, error);
}

std::unique_ptr<ArchiveFileSystem> ArchiveFileSystem::fromOpened(zip_t* archive,
                                                                 std::string& error) {
    std::unique_ptr<ArchiveFileSystem> files(new ArchiveFileSystem(archive));
    if (!files->index(error)) {
        return nullptr;
    }
    return files;
}

bool ArchiveFileSystem::index(std::string& error) {
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    if (count < 0 || static_cast<uint64_t>(count) > kLargestEntryCount) {
        error = "it holds " + std::to_string(count) + " entries, more than the " +
                std::to_string(kLargestEntryCount) + " Tavro reads";
        return false;
    }
    std::vector<RawEntry> raw;
    uint64_t total = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        zip_stat_t info;
        if (zip_stat_index(archive_, i, 0, &info) != 0) {
            error = "it is damaged (entry " + std::to_string(i) + " cannot be read)";
            return false;
        }
        const std::string name = gameName(archive_, i);
        const std::string shown = "'" + shiftJisToUtf8(name) + "'";
        if ((info.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 &&
            info.encryption_method != ZIP_EM_NONE) {
            error = "it is encrypted (" + shown +
                    "): Tavro plays archives without a password only; extract it with its "
                    "password and play the folder";
            return false;
        }
        if ((info.valid & ZIP_STAT_COMP_METHOD) != 0 &&
            !zip_compression_method_supported(info.comp_method, 0)) {
            error = shown + " is packed with a method Tavro cannot read (" +
                    std::to_string(info.comp_method) + "); extract the archive and play the folder";
            return false;
        }
        const uint64_t size = (info.valid & ZIP_STAT_SIZE) != 0 ? info.size : 0;
        total += size;
        if (size > largestReadableFile(FileKind::kSound) || total > kLargestUnpackedTotal) {
            error = "it would unpack to more than Tavro reads (" + shown + " has " +
                    std::to_string(size) + " bytes; at most " +
                    std::to_string(largestReadableFile(FileKind::kSound) >> 20) + " MB an entry, " +
                    std::to_string(kLargestUnpackedTotal >> 20) + " MB in all): a zip bomb?";
            return false;
        }
        RawEntry entry;
        if (!pathInsideGame(name, entry.components) || entry.components.empty()) {
            continue;  // a name that leaves the archive names nothing a game can reach
        }
        entry.index = i;
        entry.isDirectory = !name.empty() && name.back() == '/';
        raw.push_back(std::move(entry));
    }
    const size_t from = allInOneTopFolder(raw) ? 1 : 0;
    for (const RawEntry& entry : raw) {
        const size_t count = entry.components.size();
        for (size_t end = from + 1; end < count; ++end) {
            addEntry(joinedNames(entry.components, from, end), entry.index, true);
        }
        if (count > from) {
            addEntry(joinedNames(entry.components, from, count), entry.index, entry.isDirectory);
        }
    }
    return true;
}

void ArchiveFileSystem::addEntry(std::string path, zip_uint64_t index, bool isDirectory) {
    const auto [found, added] = byKey_.try_emplace(folded(path), entries_.size());
    if (added) {
        entries_.push_back(Entry{std::move(path), index, isDirectory});
    } else if (isDirectory) {
        entries_[found->second].isDirectory = true;
    }
}

const ArchiveFileSystem::Entry* ArchiveFileSystem::find(std::string_view path) const {
    std::string key;
    if (!keyOf(path, key)) {
        return nullptr;
    }
    const auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : &entries_[found->second];
}

bool ArchiveFileSystem::readBounded(std::string_view path, std::string& bytes, FileKind kind) {
    const Entry* entry = find(path);
    zip_stat_t info;
    if (entry == nullptr || entry->isDirectory ||
        zip_stat_index(archive_, entry->index, 0, &info) != 0) {
        return false;
    }
    if (info.size > largestReadableFile(kind)) {
        refusals_.say(path, tooLargeReason(info.size, kind));
        return false;
    }
    zip_file_t* file = zip_fopen_index(archive_, entry->index, 0);
    if (file == nullptr) {
        refusals_.say(path, std::string("its entry cannot be opened (") +
                                zip_error_strerror(zip_get_error(archive_)) + ")");
        return false;
    }
    bool whole = false;
    try {
        // Exactly the entry's size, then the end with its CRC checked.
        std::string contents(static_cast<size_t>(info.size), '\0');
        size_t filled = 0;
        zip_int64_t count = 1;
        while (filled < contents.size() && count > 0) {
            count = zip_fread(file, contents.data() + filled, contents.size() - filled);
            filled += count > 0 ? static_cast<size_t>(count) : 0;
        }
        char extra;
        whole = filled == contents.size() && zip_fread(file, &extra, 1) == 0;
        if (whole) {
            bytes = std::move(contents);
        } else {
            refusals_.say(path, std::string("its entry is damaged (") +
                                    zip_error_strerror(zip_file_get_error(file)) + ")");
        }
    } catch (const std::bad_alloc&) {
        refusals_.say(path, "there is not enough memory for it");
    }
    zip_fclose(file);
    return whole;
}

std::vector<DirectoryEntry> ArchiveFileSystem::listDirectory(std::string_view directory) {
    std::vector<DirectoryEntry> listed;
    std::string key;
    if (!keyOf(directory, key)) {
        return listed;
    }
    const std::string prefix = key.empty() ? "" : key + "/";
    for (const Entry& entry : entries_) {
        const std::string entryKey = folded(entry.path);
        if (entryKey.size() > prefix.size() && entryKey.starts_with(prefix) &&
            entryKey.find('/', prefix.size()) == std::string::npos) {
            listed.push_back(DirectoryEntry{entry.path.substr(prefix.size()), entry.isDirectory});
        }
    }
    return listed;
}

bool ArchiveFileSystem::hasFolder(std::string_view directory) {
    std::string key;
    if (!keyOf(directory, key)) {
        return false;
    }
    const Entry* entry = key.empty() ? nullptr : find(directory);
    return key.empty() || (entry != nullptr && entry->isDirectory);
}

}  // namespace tavro
