#include "script/script_dialogs.h"

namespace tavro {

namespace {
Dialogs* installed = nullptr;
}

Dialogs* scriptDialogs() {
    return installed;
}

Dialogs* setScriptDialogs(Dialogs* dialogs) {
    Dialogs* previous = installed;
    installed = dialogs;
    return previous;
}

}  // namespace tavro
