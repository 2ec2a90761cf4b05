#pragma once

#include <sys/types.h>

#include <cstdint>

// Readings from /proc. Each returns -1 when the file or the field cannot be read.

// CPU time, user and system, of the whole process (all its threads), in clock ticks.
int64_t processCpuTicks(pid_t pid);
// CPU time, user and system, of one thread of a process, in clock ticks.
int64_t threadCpuTicks(pid_t pid, pid_t thread);
double clockTicksPerSecond();

// A field of /proc/<pid>/status given in kB, such as "VmRSS" or "VmHWM".
int64_t statusKilobytes(pid_t pid, const char* field);

// Milliseconds since the process started, at the clock ticks' resolution, from its start
// time in /proc/<pid>/stat.
double millisecondsSinceStart(pid_t pid);
