#include "text_characters.h"

namespace {

// Bytes of the character at `at`; a lead byte at the very end stands alone.
size_t CharacterBytes(const std::string& text, size_t at, const text::LeadBytes& lead) {
    return lead.Leads(text[at]) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

size_t CharacterCount(const std::string& text, const text::LeadBytes& lead) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) at += CharacterBytes(text, at, lead);
    return count;
}

std::string CutToCharacters(const std::string& text, size_t limit, const text::LeadBytes& lead) {
    size_t at = 0;
    for (size_t count = 0; at < text.size() && count < limit; ++count)
        at += CharacterBytes(text, at, lead);
    return text.substr(0, at);
}
