#include "settings/debug_log.h"

#include <cstdio>

namespace {

// The name always carries exactly two digits per field, whatever the clock returns.
int lastTwoDigits(int value) {
    return (value % 100 + 100) % 100;
}

}  // namespace

void DebugLog::fileName(const LocalDateTime& date, char (&name)[32]) {
    std::snprintf(name, sizeof name, "BrevixLog-20%02d%02d%02d.debug", lastTwoDigits(date.year),
                  lastTwoDigits(date.month), lastTwoDigits(date.day));
}

int DebugLog::writeDebugLog(const char* text) const {
    // One reading of the clock serves both the file name and the time stamp, so a line
    // written at midnight never carries the date of the day after its file.
    const LocalDateTime now = clock_.localNow();
    char name[32];
    fileName(now, name);
    std::FILE* file = std::fopen(name, "a");
    if (file == nullptr) return 0;
    std::fprintf(file, "%04d-%02d-%02d %02d:%02d:%02d %s\n", now.year, now.month, now.day, now.hour,
                 now.minute, now.second, text != nullptr ? text : "");
    std::fclose(file);
    return 1;
}
