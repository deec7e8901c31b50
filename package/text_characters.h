// Texts counted and cut in characters of a code page rather than in bytes:
// in a double-byte code page a lead byte and the byte after it are one
// character, which a cut must never split. The code page's lead bytes are
// passed in (the ANSI code page's by default).
#ifndef PACKAGE_TEXT_CHARACTERS_H
#define PACKAGE_TEXT_CHARACTERS_H

#include <string>

#include "ansi_code_page.h"

size_t CharacterCount(const std::string& text,
                      const text::LeadBytes& lead = text::AnsiLeadBytes());

// The text's first `limit` characters.
std::string CutToCharacters(const std::string& text, size_t limit,
                            const text::LeadBytes& lead = text::AnsiLeadBytes());

#endif
