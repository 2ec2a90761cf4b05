#pragma once

#include <cstddef>
#include <cstring>

// Copies at most `capacity` characters of `source` into `dest` and terminates it;
// `dest` must hold capacity + 1 bytes. A null source gives an empty text.
inline void copyCut(char* dest, std::size_t capacity, const char* source) {
    if (source == nullptr) {
        dest[0] = '\0';
        return;
    }
    std::size_t length = strnlen(source, capacity);
    std::memcpy(dest, source, length);
    dest[length] = '\0';
}

// A single-byte text of fixed capacity, always terminated; longer input is cut.
template <std::size_t Capacity>
struct FixedText {
    static constexpr std::size_t capacity = Capacity;
    char text[Capacity + 1] = {};

    void assign(const char* source) { copyCut(text, Capacity, source); }
    const char* c_str() const { return text; }
    bool empty() const { return text[0] == '\0'; }
    bool operator==(const char* other) const { return std::strcmp(text, other) == 0; }
};
