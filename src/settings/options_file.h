#pragma once

#include "settings/board_settings.h"
#include "settings/colour_tables.h"
#include "settings/debug_log.h"

inline constexpr const char* kOptionsFileName = "Brevix.ini";

// Sets the defaults of all four tables, then applies "Brevix.ini" from the working
// directory line by line. Every complaint goes to the debug log, and only with -debug.
// 1 the file was read to its end; 0 it cannot be opened (the defaults stand, nothing logged).
int readOptions(OptionTables& tables, const BoardSettings& settings, const DebugLog& log);

// Stores a title read from the file into a 15-character title field: an empty value
// changes nothing; 15 characters or more are cut to 15 and reported in the debug log.
void validStringOptionSize(const char* label, FixedText<15>& destination, const char* value,
                           const BoardSettings& settings, const DebugLog& log);
