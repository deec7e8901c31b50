// The record holds the start program's name in the ANSI code page of the
// machine that made the package, which need not be the installing
// machine's. What decides which archived name it is, as pure number work;
// start_program.cpp finds the names in each code page the system has.
#ifndef STUBS_RECORD_CODE_PAGES_H
#define STUBS_RECORD_CODE_PAGES_H

namespace stub {

// What the record names when each of `count` code pages found `found[i]`
// (-1: nothing): the one name all that found one agree on, -1 when none
// found one, kStartProgramsDisagree when two code pages found different names.
const int kStartProgramsDisagree = -2;
int AgreedStartProgram(const int* found, int count);

}  // namespace stub

#endif
