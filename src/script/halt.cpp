#include "script/halt.h"

namespace tavro {

namespace {
bool halted = false;
}

bool haltRequested() { return halted; }
void requestHalt() { halted = true; }
void resetHalt() { halted = false; }

}  // namespace tavro
