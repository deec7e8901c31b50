// Texts for the caller from malloc, which it frees with free.
#include "caller_text.h"

#include <stdlib.h>
#include <string.h>

namespace mvwrap {

char* CallerText(const char* text) noexcept {
    const size_t size = strlen(text) + 1;
    char* copy = static_cast<char*>(malloc(size));
    if (copy) memcpy(copy, text, size);
    return copy;
}

}  // namespace mvwrap
