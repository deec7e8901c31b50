#include "code_pages.h"

#include <stdarg.h>

namespace stub {

int FormatText(char* out, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    int length = wvsprintfA(out, format, arguments);
    va_end(arguments);
    return length;
}

}  // namespace stub
