#include "SecondTimer.h"

SecondTimer::Clock::time_point SecondTimer::NextTick(Clock::time_point now) {
    // floor, not a cast: a cast rounds towards zero, which is the wrong way before 1970.
    return std::chrono::floor<std::chrono::seconds>(now) + std::chrono::seconds(1);
}
