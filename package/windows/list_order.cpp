// The list box's own comparison, CompareStringA in the user's locale.
#include "list_order.h"

#include <windows.h>

int ListOrderCompare(const std::string& a, const std::string& b) {
    const int result =
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1);
    // A failed compare sorts as "before", as the list box takes it.
    return result == CSTR_EQUAL ? 0 : result == CSTR_GREATER_THAN ? 1 : -1;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}
