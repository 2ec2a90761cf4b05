#pragma once

#include <cstdint>
#include <vector>

// Time on the monotonic clock, in nanoseconds; comparable across threads and processes.
int64_t monotonicNanos();

// The value below which `share` (0..1) of the samples lie; 0 for no samples.
double percentile(std::vector<double> samples, double share);

// Whether a figure should stay below or reach its aim.
enum class Aim { Below, AtLeast };

// One line of a benchmark's output: the figure with its unit and the aim beside it.
void printFigure(const char* label, double value, const char* unit, Aim aim, double aimValue);

// A figure printed for information, without an aim.
void printInfo(const char* label, double value, const char* unit);
