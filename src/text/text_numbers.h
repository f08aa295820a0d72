// Conversions between texts and numbers, with the C library's atoi/atof reading rules and its
// "%d"/"%f" writing rules. Settings values, "text(" and "save(" use them.
#pragma once

#include <cstdint>

#include "text/text_string.h"

namespace tavro {

// Leading whitespace, an optional sign, then decimal digits; 0 when there are none. A number
// beyond the 32-bit range saturates at INT32_MIN / INT32_MAX instead of being undefined.
int32_t textToInt(const char* text);

// The leading decimal number of the text (with the forms strtod accepts); 0 when none.
double textToDouble(const char* text);

// "%d" of value.
TextString formatInt(int32_t value);
// "%f" of value, kept whole however long it is (1e300 gives 301 digits and ".000000").
TextString formatDouble(double value);

}  // namespace tavro
