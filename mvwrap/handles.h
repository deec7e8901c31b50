// The component's owning handles. It shares the program's move-only wrappers
// (a header only, so the DLL links nothing of the program's).
#ifndef MVWRAP_HANDLES_H
#define MVWRAP_HANDLES_H

#include "../package/win_handles.h"

#endif
