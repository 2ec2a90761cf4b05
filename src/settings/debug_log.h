#pragma once

#include "settings/clock.h"

// The daily debug log in the working directory. Every caller writes to it only when the
// debug switch is on; the log itself does not look at the switch.
class DebugLog {
  public:
    explicit DebugLog(const Clock& clock) : clock_(clock) {}

    // Appends "<date> <time> <text>\n" to the day's file, opening and closing it for every
    // line so each line is complete when the call returns. 1 written, 0 the file cannot be
    // opened (silently: no message anywhere).
    int writeDebugLog(const char* text) const;

    // "BrevixLog-20YYMMDD.debug" for the given local date.
    static void fileName(const LocalDateTime& date, char (&name)[32]);

  private:
    const Clock& clock_;
};
