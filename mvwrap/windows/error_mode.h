// The guard that keeps the system's critical-error box off while an
// operation works with files (a drive without its diskette is then an error
// number, not a dialog), and puts the caller's error mode back.
#ifndef MVWRAP_ERROR_MODE_H
#define MVWRAP_ERROR_MODE_H

#include "win_handles.h"

namespace mvwrap {

using ErrorModeGuard = QuietErrorMode;

}  // namespace mvwrap

#endif
