// Terminals and the scripts that read vnpmake's output take UTF-8. A file
// error's number ("Error: 61", which ends the messages that carry one)
// comes with its meaning in words: a Linux user has no table of them at
// hand.
#include "console_text.h"

#include <stdlib.h>

#include "unix/system_text.h"

namespace {

struct Meaning {
    int number;
    const char* words;
};

constexpr Meaning Meanings[] = {
    {7, "out of memory"},
    {51, "internal error"},
    {53, "file not found"},
    {61, "the disk is full"},
    {62, "read past the end of the file"},
    {64, "bad file name"},
    {67, "too many files open"},
    {68, "device unavailable"},
    {70, "permission denied: the file or its disk is write-protected or in use"},
    {72, "the disk could not be read or written"},
    {74, "cannot rename onto another disk"},
    {75, "the file or folder cannot be reached: no permission, or it is in the way"},
    {76, "path not found"},
};

std::string WithMeaning(const std::string& text) {
    const std::string::size_type at = text.rfind("Error: ");
    if (at == std::string::npos) return text;
    char* end = nullptr;
    const long number = strtol(text.c_str() + at + 7, &end, 10);
    if (*end || end == text.c_str() + at + 7) return text;
    for (const Meaning& meaning : Meanings)
        if (meaning.number == number) return text + " (" + meaning.words + ")";
    return text;
}

}  // namespace

std::string ForConsole(const std::string& text) {
    std::string utf8;
    const std::string shown = WithMeaning(text);
    return CodePageToSystem(shown, utf8) ? utf8 : shown;
}
