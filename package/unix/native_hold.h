// A hold on a working name, natively: an open lock file that carries an
// exclusive flock while it is open.
#ifndef PACKAGE_NATIVE_HOLD_H
#define PACKAGE_NATIVE_HOLD_H

#include "unique_fd.h"

using NativeHold = UniqueFd;

#endif
