// Texts for the caller from LocalAlloc, which it frees with LocalFree.
#include "caller_text.h"

#include <windows.h>

#include <cstring>

namespace mvwrap {

char* CallerText(const char* text) noexcept {
    size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(LocalAlloc(LMEM_FIXED, size));
    if (copy) std::memcpy(copy, text, size);
    return copy;
}

}  // namespace mvwrap
