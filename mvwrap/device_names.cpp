#include "device_names.h"

#include <wchar.h>

#include <initializer_list>

namespace mvwrap {

bool IsDeviceName(const wchar_t* name) {
    const wchar_t* dot = wcschr(name, L'.');
    const size_t length = dot ? size_t(dot - name) : wcslen(name);
    if (length == 3) {
        for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL"})
            if (_wcsnicmp(name, device, 3) == 0) return true;
        return false;
    }
    if (length != 4 || (_wcsnicmp(name, L"COM", 3) != 0 && _wcsnicmp(name, L"LPT", 3) != 0))
        return false;
    const wchar_t number = name[3];
    return (number >= L'1' && number <= L'9') || number == L'\u00b9' || number == L'\u00b2' ||
           number == L'\u00b3';
}

}  // namespace mvwrap
