// Entry names come from the package, that is from anyone: a name that could
// reach outside the extraction folder or open a device refuses the package.
// The name is in the ANSI code page and is looked at by characters: the
// second byte of a double-byte character is no separator and no "|".
#include "entry_paths.h"

#include <string.h>

namespace stub {

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool SameIgnoringCase(const char* a, size_t length, const char* b) {
    if (strlen(b) != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (Upper(a[i]) != b[i]) return false;
    return true;
}

// Windows takes the superscripts one to three for digits in device names
// ("COM" and a superscript one is the first port). The code pages that have
// them (1252 and its kin) hold them as these bytes; in the others these
// bytes are letters of their own, and refusing a four-letter "COM" or "LPT"
// name there too loses nothing.
bool IsSuperscriptDigit(char c) {
    return uint8_t(c) == 0xB9 || uint8_t(c) == 0xB2 || uint8_t(c) == 0xB3;
}

// Device names stay devices with any extension ("NUL.txt", "com1.exe").
bool IsDeviceName(const char* component, size_t length) {
    size_t stem = 0;
    while (stem < length && component[stem] != '.') ++stem;
    while (stem > 0 && component[stem - 1] == ' ') --stem;
    static const char* const kDevices[] = {"CON",    "PRN",     "AUX",   "NUL",
                                           "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* device : kDevices)
        if (SameIgnoringCase(component, stem, device)) return true;
    return stem == 4 &&
           (SameIgnoringCase(component, 3, "COM") || SameIgnoringCase(component, 3, "LPT")) &&
           ((component[3] >= '1' && component[3] <= '9') || IsSuperscriptDigit(component[3]));
}

// A trailing dot or blank is the last character whatever the code page:
// no second byte of a character is below 0x40. Device names are single
// bytes.
bool SafeComponent(const char* component, size_t length) {
    if (length == 0) return false;
    if (component[length - 1] == '.' || component[length - 1] == ' ') return false;
    return !IsDeviceName(component, length);
}

}  // namespace

bool SafeEntryPath(const char* name, const text::LeadBytes& lead) {
    if (!name || !name[0] || name[0] == '\\') return false;
    const char* component = name;
    for (const char* p = name;; p = text::NextCharacter(p, lead)) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\\' || c == 0) {
            size_t length = size_t(p - component);
            // A folder entry ends in a separator: its last component is empty.
            if (c == 0) return length == 0 || SafeComponent(component, length);
            if (!SafeComponent(component, length)) return false;
            component = p + 1;
        } else if (lead.Leads(*p) ? uint8_t(p[1]) < text::kLeastSecondByte
                                  : c < 0x20 || strchr(":*?\"<>|/", c)) {
            return false;  // half a character, or one no file name holds
        }
    }
}

}  // namespace stub
