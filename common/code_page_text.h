// Texts in an ANSI code page, walked by characters. In the double-byte code
// pages (932, 936, 949, 950) a lead byte and the byte after it are one
// character, and in 932, 936 and 950 that second byte may be "\" (0x5C) or
// "|" (0x7C): a path is split, and a name checked, only at characters that
// are these, never at such a second byte. Pure: which bytes lead is passed
// in; AnsiLeadBytes (ansi_code_page.h) gives the system's.
#ifndef COMMON_CODE_PAGE_TEXT_H
#define COMMON_CODE_PAGE_TEXT_H

#include <stddef.h>
#include <stdint.h>

namespace text {

// The lead bytes of one code page; none for a single-byte code page.
class LeadBytes {
public:
    LeadBytes() : leads_() {}
    void Add(uint8_t byte) { leads_[byte] = true; }
    void Add(uint8_t first, uint8_t last) {
        for (unsigned byte = first; byte <= last; ++byte) Add(uint8_t(byte));
    }
    bool Leads(char c) const { return leads_[uint8_t(c)]; }

private:
    bool leads_[256];
};

// No second byte of a double-byte character is below 0x40 in any of these
// code pages: a lead byte before a lower byte (":", "/", ".", a control
// character, the end) is a byte of its own, which file names do not hold,
// and hides nothing.
const uint8_t kLeastSecondByte = 0x40;

// The character after the one that begins at `text`.
const char* NextCharacter(const char* text, const LeadBytes& lead);

// The last (first) character `c` of the text, an ASCII character, or null:
// strrchr and strchr that never stop at the second byte of a character.
const char* LastCharacter(const char* text, char c, const LeadBytes& lead);
const char* FirstCharacter(const char* text, char c, const LeadBytes& lead);

// Whether the last character of the text is `c`.
bool EndsWith(const char* text, char c, const LeadBytes& lead);

// The bytes of the text's first `count` characters (all of it when shorter).
size_t CharactersLength(const char* text, size_t count, const LeadBytes& lead);

// The bytes of the character at text[at], in a text of `length` bytes that
// may hold zero bytes (a dialog's filter list).
size_t CharacterBytes(const char* text, size_t at, size_t length, const LeadBytes& lead);

}  // namespace text

#endif
