// The monotonic clock, which no change of the wall clock moves.
#include "ticks.h"

#include <time.h>

uint32_t MillisecondTicks() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000);
}
