// What kind of program a start program is, from the first bytes of its
// file, and whether this Windows can run it: 64-bit Windows runs no 16-bit
// program, neither a 16-bit Windows program nor a DOS one. Pure reading.
#ifndef STUBS_PROGRAM_KIND_H
#define STUBS_PROGRAM_KIND_H

#include <stdint.h>

namespace stub {

enum class ProgramKind {
    kPortable,    // a 32-bit or 64-bit Windows program
    kSixteenBit,  // a 16-bit Windows program or a DOS program
    kUnknown,     // not a program the header tells anything about
};

// How many bytes of the file's start are enough to tell.
const uint32_t kProgramHeadLength = 4096;

// From the first length bytes of a file of fileLength bytes. A new header
// beyond the bytes given is not guessed at: kUnknown.
ProgramKind KindOfProgram(const uint8_t* head, uint32_t length, uint32_t fileLength);

// Whether this Windows refuses the program for being 16-bit.
inline bool CannotRunHere(ProgramKind kind, bool sixtyFourBitWindows) {
    return sixtyFourBitWindows && kind == ProgramKind::kSixteenBit;
}

}  // namespace stub

#endif
