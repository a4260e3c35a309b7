#pragma once

#include <sys/timerfd.h>

// How the clock line's timer arms its timerfd on Linux: the system call, unless a test puts a stand-in
// here to report what the system reports only now and then (the clock set while arming).
namespace TimerfdArming {

using SetTime = int (*)(int fd, int flags, const itimerspec* next, itimerspec* previous);
inline SetTime setTime = &::timerfd_settime;

} // namespace TimerfdArming
