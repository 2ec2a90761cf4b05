#pragma once

#include <cstdio>

// The line discipline that the options file and the layout file share. Lines are read
// into a 510-byte buffer, so one read yields at most 509 characters and the rest of a
// longer line comes back as a line of its own. A line whose first character is '#' is a
// comment; trailing white space (space, \t, \n, \v, \f, \r) is removed; lines that are then
// empty are skipped. Leading blanks are kept.
class ConfigLineReader {
  public:
    static constexpr int kBufferSize = 510;

    explicit ConfigLineReader(std::FILE* file) : file_(file) {}

    // The next line to interpret, or nullptr at the end of the file or on a read error.
    // The text stays valid until the next call.
    const char* next();

  private:
    std::FILE* file_;
    char line_[kBufferSize] = {};
};

// Both readers scan their numbers 64 bits wide ("%lld" where a form shows "%d"): the C
// library gives no defined result for a "%d" beyond 32 bits, and glibc keeps the low 32 bits,
// so "AUX4294967302" would read as AUX6. A form whose numbers do not all fit in 32 bits
// counts as not read. true when every one of the `count` values fits.
bool allFitInt32(const long long* values, int count);
