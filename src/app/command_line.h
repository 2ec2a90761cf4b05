#pragma once

#include "settings/board_settings.h"
#include "settings/message_sink.h"

// The text shown for each -timer value outside 1..60; the period then falls back to 2.
inline constexpr const char* kTimerRangeMessage = "State duration timer must be 1...60\nReset to 2";

// Applies the switches argv[1] .. argv[argc - 1] to `settings`, left to right, so a later
// value wins. -host, -port and -timer are recognised by their first characters and take the
// rest of the argument as their value; -debug, -colors and -restore must be the whole
// argument. Anything else is ignored without a word. Returns true when -restore was given.
bool readCommandLine(int argc, const char* const* argv, BoardSettings& settings,
                     MessageSink& messages);
