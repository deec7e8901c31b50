// A millisecond count for pacing the window's turns during long copies;
// it wraps, so only differences mean anything.
#ifndef PACKAGE_TICKS_H
#define PACKAGE_TICKS_H

#include <cstdint>

uint32_t MillisecondTicks();

#endif
