// Archive operations. This build of the component does not provide them yet:
// each reports that, rather than pretending to succeed.
#include "mvwrap.h"
#include "state.h"

int32_t __stdcall Zzip(const char*, const char*, const char*, const char*, const int32_t*) {
    if (!mvwrap::State().running) return MVWRAP_NOT_RUNNING;
    return MVWRAP_NOT_AVAILABLE;
}

int32_t __stdcall ZipCount(const char*) { return 0; }

char* __stdcall Zipped(const int32_t*) { return mvwrap::CallerText(""); }
