// GetTickCount, which every Windows has.
#include "ticks.h"

#include <windows.h>

uint32_t MillisecondTicks() { return GetTickCount(); }
