// Reads a game folder's bundle for the release tests:
//   bundle_tool names FOLDER KIND PASSWORD        the entry names, one a line
//   bundle_tool text FOLDER KIND PASSWORD NAME    the text of one entry (exit 1: none)
// KIND is tsk, scr or ani.
#include <cstdio>
#include <string>
#include <string_view>

#include "host/files/game_folder_file_system.h"
#include "text/package_bundles.h"

int main(int argc, char** argv) {
    using namespace tavro;
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (argc < 5 || (command != "names" && command != "text") || (command == "text" && argc < 6)) {
        std::fputs("usage: bundle_tool names|text FOLDER tsk|scr|ani PASSWORD [NAME]\n", stderr);
        return 2;
    }
    const std::string_view kindName = argv[3];
    const BundleKind kind = kindName == "tsk"   ? BundleKind::kTask
                            : kindName == "scr" ? BundleKind::kScript
                                                : BundleKind::kAnimation;
    GameFolderFileSystem folder(argv[2]);
    PackageBundles bundles;
    if (!bundles.load(folder, nullptr, kind, argv[4])) {
        std::fprintf(stderr, "bundle_tool: %s cannot be read\n", bundleFileName(kind));
        return 1;
    }
    const NamedTextTable& table = bundles.table(kind);
    if (command == "names") {
        for (int32_t i = 0; i < table.count(); ++i) {
            std::printf("%s\n", table.nameAt(i) != nullptr ? table.nameAt(i) : "");
        }
        return 0;
    }
    const int32_t found = table.indexOf(argv[5]);
    if (found < 0) {
        return 1;
    }
    const std::string_view text = table.valueAt(found).view();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
