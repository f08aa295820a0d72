// The message boxes the script engine shows (the syntax error, the runaway-loop question)
// go to the dialogs installed here by the shell. With none installed they are skipped, and a
// question is answered Yes.
#pragma once

#include "host/dialogs.h"

namespace tavro {

Dialogs* scriptDialogs();
// Installs the dialogs (null removes them). Returns the previous ones.
Dialogs* setScriptDialogs(Dialogs* dialogs);

}  // namespace tavro
