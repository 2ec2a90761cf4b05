#include "tavrel-sim/number_text.h"

#include <charconv>

namespace {

template <typename Number>
bool readWhole(std::string_view text, Number& value) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

}  // namespace

bool readWholeNumber(std::string_view text, int64_t low, int64_t high, int64_t& value) {
    int64_t parsed = 0;
    if (!readWhole(text, parsed) || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool readFraction(std::string_view text, double low, double high, double& value) {
    double parsed = 0;
    // The comparison also refuses NaN.
    if (!readWhole(text, parsed) || !(parsed >= low && parsed <= high)) return false;
    value = parsed;
    return true;
}
