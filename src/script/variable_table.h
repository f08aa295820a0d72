// A variable table: by name number, each variable a growable array of doubles.
#pragma once

#include "text/grow_array.h"

namespace tavro {

using Variable = GrowArray<double>;
using VariableTable = GrowArray<Variable>;

}  // namespace tavro
