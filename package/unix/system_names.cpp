// The conversion itself is common/unix/system_text's; the glue's callers
// report a failure through errno, as for any failed system call.
#include "system_names.h"

#include <errno.h>

#include "unix/system_text.h"

bool ToSystemName(const std::string& text, std::string& utf8) {
    if (CodePageToSystem(text, utf8)) return true;
    errno = EILSEQ;
    return false;
}

bool FromSystemName(const std::string& utf8, std::string& text) {
    if (SystemToCodePage(utf8, text)) return true;
    errno = EILSEQ;
    return false;
}
