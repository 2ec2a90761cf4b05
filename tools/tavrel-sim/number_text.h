#pragma once

#include <cstdint>
#include <string_view>

// Strict readers for numbers typed on the command line or in a replay file: the whole text
// must be the number, and it must lie within low..high.
bool readWholeNumber(std::string_view text, int64_t low, int64_t high, int64_t& value);
bool readFraction(std::string_view text, double low, double high, double& value);
