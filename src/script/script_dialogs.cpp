#include "script/script_dialogs.h"

#include <utility>

namespace tavro {

namespace {
Dialogs* installedDialogs = nullptr;
}

Dialogs* scriptDialogs() {
    return installedDialogs;
}

Dialogs* setScriptDialogs(Dialogs* dialogs) {
    return std::exchange(installedDialogs, dialogs);
}

}  // namespace tavro
