// Telling a 16-bit program from a Windows one by its headers.
#include "program_kind.h"

namespace stub {

ProgramKind KindOfProgram(const uint8_t* head, uint32_t length, uint32_t fileLength) {
    if (length < 2 || head[0] != 'M' || head[1] != 'Z') return ProgramKind::kUnknown;
    // The new header's offset stands at 0x3C: "PE" there is a Windows
    // program; "NE" a 16-bit Windows one, and a DOS program has no new
    // header at all, so anything else there is 16-bit as well.
    if (length < 0x40)
        return fileLength > length ? ProgramKind::kUnknown : ProgramKind::kSixteenBit;
    uint32_t at = uint32_t(head[0x3C]) | uint32_t(head[0x3D]) << 8 | uint32_t(head[0x3E]) << 16 |
                  uint32_t(head[0x3F]) << 24;
    if (at > length - 4)
        return fileLength > length ? ProgramKind::kUnknown : ProgramKind::kSixteenBit;
    if (head[at] == 'P' && head[at + 1] == 'E' && head[at + 2] == 0 && head[at + 3] == 0)
        return ProgramKind::kPortable;
    return ProgramKind::kSixteenBit;
}

}  // namespace stub
