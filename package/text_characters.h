// Texts counted and cut in characters of a code page rather than in bytes:
// in a double-byte code page a lead byte and the byte after it are one
// character, which a cut must never split.
#ifndef PACKAGE_TEXT_CHARACTERS_H
#define PACKAGE_TEXT_CHARACTERS_H

#include <string>

size_t CharacterCount(const std::string& text, unsigned codePage);

// The text's first `limit` characters.
std::string CutToCharacters(const std::string& text, size_t limit, unsigned codePage);

#endif
