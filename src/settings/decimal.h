#pragma once

#include <cstdint>

// Reads a decimal integer the way the C library's string-to-integer conversion does:
// leading white space skipped, an optional sign, then digits up to the first non-digit;
// no digits gives 0. A value beyond 32 bits saturates at INT32_MIN or INT32_MAX.
int32_t readDecimal(const char* text);
