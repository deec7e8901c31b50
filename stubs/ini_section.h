// Adding a line to a section of an initialization file's text. The platform's
// own profile functions keep one line per key, but the list of files to remove
// at the next restart on the Windows 95 line has many lines of the same key.
#ifndef STUBS_INI_SECTION_H
#define STUBS_INI_SECTION_H

#include <stddef.h>

namespace stub {

// Writes the text to out with the line added at the end of the section
// (matched without regard to case), the section added at the end of the text
// where there is none. The length written, or 0 when out has no room.
size_t AddSectionLine(const char* text, size_t length, const char* section, const char* line,
                      char* out, size_t room);

}  // namespace stub

#endif
