// The upper-casing that setup list entries are compared under: ASCII letters
// and seven code page 437 letters with diacritics map to their capitals.
// A double-byte character of the code page (the system's by default) stays
// as it is: its bytes are no letters, and "a" as a second byte is not "a".
#ifndef PACKAGE_UPPER_CASE_H
#define PACKAGE_UPPER_CASE_H

#include <string>

#include "ansi_code_page.h"

std::string UpperCased(const std::string& text,
                       const text::LeadBytes& lead = text::AnsiLeadBytes());

#endif
