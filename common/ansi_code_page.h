// The system's ANSI code page as the texts of code_page_text.h need it: its
// number and its lead bytes, asked for once.
#ifndef COMMON_ANSI_CODE_PAGE_H
#define COMMON_ANSI_CODE_PAGE_H

#include "code_page_text.h"

namespace text {

// Those of the ANSI code page, looked up on the first call.
const LeadBytes& AnsiLeadBytes();

// The ANSI code page's number (1252, 932, ...).
unsigned AnsiCodePage();

}  // namespace text

#endif
