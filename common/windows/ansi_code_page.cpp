// Windows asks the system (IsDBCSLeadByte and GetACP, which every Windows
// has).
#include "ansi_code_page.h"

#include <windows.h>

namespace text {

namespace {

LeadBytes Ask() {
    LeadBytes lead;
    for (unsigned byte = 0x80; byte < 0x100; ++byte)
        if (IsDBCSLeadByte(BYTE(byte))) lead.Add(uint8_t(byte));
    return lead;
}

}  // namespace

const LeadBytes& AnsiLeadBytes() {
    static const LeadBytes lead = Ask();
    return lead;
}

unsigned AnsiCodePage() { return GetACP(); }

}  // namespace text
