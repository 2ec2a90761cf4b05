#include "settings/decimal.h"

#include <cctype>
#include <cstdint>

int32_t readDecimal(const char* text) {
    if (text == nullptr) return 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (std::isspace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    int64_t magnitude = 0;
    for (; std::isdigit(*p); ++p) {
        // Past 32 bits the value saturates; stop growing so the 64-bit sum cannot overflow.
        if (magnitude <= INT32_MAX) magnitude = magnitude * 10 + (*p - '0');
    }
    int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}
