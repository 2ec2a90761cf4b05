#pragma once

// Moves `from` to `to` only when nothing is called `to` yet. POSIX rename() silently
// replaces an existing target; a layout backup must never overwrite an earlier backup, so a
// taken name is a failure here. true when the file was moved.
bool renameWithoutReplacing(const char* from, const char* to);
