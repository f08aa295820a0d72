// Fuzz target: any bytes as a bundle file, read with any password, load into a table without
// crashing or growing beyond the input; the table saved and loaded again does the same.
//
// The input up to its first zero byte is the password; the rest is "package.scr".
//
// Build and run for ten minutes from the repository root (clang, libFuzzer):
//   scripts/fuzz bundle_reader

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "support/game_folder.h"
#include "text/package_bundles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tavro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string password(input.substr(0, split));
    testing::GameFolder folder;
    const std::string_view contents =
        split == std::string_view::npos ? "" : input.substr(split + 1);
    folder.files["package.scr"] = contents;

    PackageBundles bundles;
    if (!bundles.load(folder, nullptr, BundleKind::kScript, password.c_str())) {
        std::abort();  // the file is there: the load cannot fail
    }
    const NamedTextTable& table = bundles.table(BundleKind::kScript);
    // Every entry but the last is ended by its own ";" in the text.
    if (static_cast<size_t>(table.count()) > contents.size() + 1) {
        std::abort();
    }
    bundles.save(folder, nullptr, BundleKind::kScript, password.c_str());
    PackageBundles again;
    again.load(folder, nullptr, BundleKind::kScript, password.c_str());
    return 0;
}
