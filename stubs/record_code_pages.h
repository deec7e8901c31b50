// The record holds the start program's name in the ANSI code page of the
// machine that made the package, which need not be the installing
// machine's. The questions that decide which archived name it is, as pure
// text and number work; start_program.cpp asks them of the names in each
// code page the system has.
#ifndef STUBS_RECORD_CODE_PAGES_H
#define STUBS_RECORD_CODE_PAGES_H

#include "package_constants.h"

namespace stub {

// Whether the record names a start program: positions 60 to 79 hold more
// than spaces, and more than an entry name longer than 59 characters that
// agrees with positions 1 to 59 left there.
bool RecordNamesStartProgram(const char record[RecordLength], const char* const* names, int count);

// What the record names when each of `count` code pages found `found[i]`
// (-1: nothing): the one name all that found one agree on, -1 when none
// found one, kStartProgramsDisagree when two code pages found different names.
const int kStartProgramsDisagree = -2;
int AgreedStartProgram(const int* found, int count);

}  // namespace stub

#endif
