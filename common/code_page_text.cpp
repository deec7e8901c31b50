#include "code_page_text.h"

namespace text {

const char* NextCharacter(const char* text, const LeadBytes& lead) {
    if (!*text) return text;
    return lead.Leads(*text) && uint8_t(text[1]) >= kLeastSecondByte ? text + 2 : text + 1;
}

const char* LastCharacter(const char* text, char c, const LeadBytes& lead) {
    const char* last = nullptr;
    for (; *text; text = NextCharacter(text, lead))
        if (*text == c) last = text;
    return last;
}

const char* FirstCharacter(const char* text, char c, const LeadBytes& lead) {
    for (; *text; text = NextCharacter(text, lead))
        if (*text == c) return text;
    return nullptr;
}

// The last character c is the text's last character exactly when nothing
// follows it, c being a single byte.
bool EndsWith(const char* text, char c, const LeadBytes& lead) {
    const char* last = LastCharacter(text, c, lead);
    return last && !last[1];
}

size_t CharactersLength(const char* text, size_t count, const LeadBytes& lead) {
    const char* p = text;
    for (; *p && count > 0; --count) p = NextCharacter(p, lead);
    return size_t(p - text);
}

size_t CharacterBytes(const char* text, size_t at, size_t length, const LeadBytes& lead) {
    return lead.Leads(text[at]) && at + 1 < length && uint8_t(text[at + 1]) >= kLeastSecondByte ? 2
                                                                                                : 1;
}

}  // namespace text
