// The hold a Create keeps on one of its working names against every other
// Create, in this program or another: a second Create that asks for a held
// name learns so and stops.
#ifndef PACKAGE_WORKING_HOLD_H
#define PACKAGE_WORKING_HOLD_H

#include <string>

#include "native_hold.h"

enum class HoldOutcome { kHeld, kHeldElsewhere, kFailed };

// Holds path in `hold` until hold ends; every spelling of its folder meets
// the same hold. On kFailed, errorNumber is the file-error number.
HoldOutcome HoldWorkingName(const std::string& path, NativeHold& hold, int& errorNumber);

#endif
