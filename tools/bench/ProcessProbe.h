#pragma once

#include <QByteArray>

// What a child process of the benchmark reports about itself: the time since its parent launched
// it (the parent passes the launch instant on the monotonic clock in TALLIMER_BENCH_LAUNCH_NS),
// the CPU time it has used, its peak and its current resident memory.
namespace probe {

// Milliseconds on the monotonic clock, comparable between processes.
double monotonicMilliseconds();
// Milliseconds since the parent launched this process; 0 when it did not say.
double millisecondsSinceLaunch();
// The CPU time (user and system, all threads) this process has used so far, in milliseconds.
double processCpuMilliseconds();
// The most memory this process has held resident so far, in KiB.
long peakResidentKibibytes();
// The memory this process holds resident now, in KiB.
long residentKibibytes();

// The variable through which the parent passes the launch instant.
inline constexpr char kLaunchVariable[] = "TALLIMER_BENCH_LAUNCH_NS";

// Copies /proc/self/smaps to the file TALLIMER_BENCH_SMAPS names, if it names one: where the
// memory goes, mapping by mapping.
void copyMemoryMapIfAsked();

// Prints "name=value" on standard output, one figure a line, for the parent to read.
void print(const char *name, double value);

} // namespace probe
