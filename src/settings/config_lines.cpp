#include "settings/config_lines.h"

#include <cstdint>
#include <cstring>

namespace {

// The C locale's white space, tested by value so that bytes above 127 are never white space.
bool isTrailingWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void removeTrailingWhiteSpace(char* line) {
    std::size_t length = std::strlen(line);
    while (length > 0 && isTrailingWhiteSpace(line[length - 1])) --length;
    line[length] = '\0';
}

}  // namespace

const char* ConfigLineReader::next() {
    while (std::fgets(line_, kBufferSize, file_) != nullptr) {
        if (line_[0] == '#') continue;
        removeTrailingWhiteSpace(line_);
        if (line_[0] != '\0') return line_;
    }
    return nullptr;
}

bool allFitInt32(const long long* values, int count) {
    for (int i = 0; i < count; ++i) {
        if (values[i] < INT32_MIN || values[i] > INT32_MAX) return false;
    }
    return true;
}
