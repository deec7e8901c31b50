// Telling device names by their characters alone, with no system call.
#include "device_names.h"

#include <wchar.h>

#include <initializer_list>

namespace mvwrap {

namespace {

// Whether the first characters of `name` are `upper`, in any case: device
// names are plain ASCII.
bool StartsAsciiFolded(const wchar_t* name, const wchar_t* upper, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const wchar_t c = name[i] >= L'a' && name[i] <= L'z' ? name[i] - L'a' + L'A' : name[i];
        if (c != upper[i]) return false;
    }
    return true;
}

}  // namespace

bool IsDeviceName(const wchar_t* name) {
    const wchar_t* dot = wcschr(name, L'.');
    const size_t length = dot ? size_t(dot - name) : wcslen(name);
    if (length == 3) {
        for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
            if (StartsAsciiFolded(name, device, 3)) return true;
        return false;
    }
    if (length != 4 || (!StartsAsciiFolded(name, L"COM", 3) && !StartsAsciiFolded(name, L"LPT", 3)))
        return false;
    const wchar_t number = name[3];
    return (number >= L'1' && number <= L'9') || number == L'\u00b9' || number == L'\u00b2' ||
           number == L'\u00b3';
}

}  // namespace mvwrap
