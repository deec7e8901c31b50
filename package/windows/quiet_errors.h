// The guard that switches Windows' critical-error and open-file boxes off
// for the steps that handle files (win_handles.h holds it).
#ifndef PACKAGE_QUIET_ERRORS_H
#define PACKAGE_QUIET_ERRORS_H

#include "win_handles.h"

#endif
