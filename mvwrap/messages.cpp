// The component's error messages, and the texts it hands to callers.
#include <windows.h>

#include <cstring>

#include "mvwrap.h"
#include "state.h"

namespace mvwrap {

char* CallerText(const char* text) {
    size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(LocalAlloc(LMEM_FIXED, size));
    if (copy) std::memcpy(copy, text, size);
    return copy;
}

}  // namespace mvwrap

char* __stdcall ZipError(const int16_t* number) {
    const char* text;
    switch (*number) {
    case MVWRAP_OK:
        text = "The zip operation succeeded.";
        break;
    case MVWRAP_NOT_RUNNING:
        text = "The zip component is not running.";
        break;
    case MVWRAP_ALREADY_RUNNING:
        text = "The zip component is already running.";
        break;
    case MVWRAP_NOT_AVAILABLE:
        text = "This version of the zip component cannot write or read archives.";
        break;
    default:
        text = "The zip component reported an unknown error.";
        break;
    }
    return mvwrap::CallerText(text);
}
