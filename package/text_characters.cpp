#include "text_characters.h"

#include <windows.h>

namespace {

// Bytes of the character at `at`; a lead byte at the very end stands alone.
size_t CharacterBytes(const std::string& text, size_t at, unsigned codePage) {
    const bool lead = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[at])) != 0;
    return lead && at + 1 < text.size() ? 2 : 1;
}

}  // namespace

size_t CharacterCount(const std::string& text, unsigned codePage) {
    size_t count = 0;
    for (size_t at = 0; at < text.size(); ++count) at += CharacterBytes(text, at, codePage);
    return count;
}

std::string CutToCharacters(const std::string& text, size_t limit, unsigned codePage) {
    size_t at = 0;
    for (size_t count = 0; at < text.size() && count < limit; ++count)
        at += CharacterBytes(text, at, codePage);
    return text.substr(0, at);
}
