#include "author/web_export.h"

#include <cstdio>
#include <string_view>

namespace tavro {

bool isExportWebCommand(int argc, const char* const* argv) {
    return argc > 1 && std::string_view(argv[1]) == "--export-web";
}

int exportWebCommand(int, const char* const*) {
    std::fputs("tavro: --export-web needs the desktop build of Tavro\n", stderr);
    return 2;
}

}  // namespace tavro
