#pragma once

#include <sys/types.h>

#include <cstdint>

// What /proc tells about a running process, all of its threads together.
namespace ProcessStats {

// Resident memory (VmRSS) in KiB, or -1 when it cannot be read.
long ResidentKiB(pid_t pid);

struct CpuSample {
    double statSeconds = 0;  // utime + stime from /proc/PID/stat (whole process, clock-tick resolution)
    double schedSeconds = 0; // sum of the live threads' run time from schedstat (nanosecond resolution)
    long switches = 0;       // sum of the live threads' voluntary and involuntary context switches
};
CpuSample SampleCpu(pid_t pid);

// CLOCK_MONOTONIC in nanoseconds: the time base shared with the first-paint plugin.
std::int64_t MonotonicNs();

} // namespace ProcessStats
