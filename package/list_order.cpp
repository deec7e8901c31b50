#include "list_order.h"

#include <windows.h>

int ListOrderCompare(const std::string& a, const std::string& b) {
    const int result =
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1);
    // A failed compare sorts as "before", as the list box takes it.
    return result == CSTR_EQUAL ? 0 : result == CSTR_GREATER_THAN ? 1 : -1;
}

void InsertInListOrder(std::vector<std::string>& list, const std::string& text) {
    long low = 0, high = static_cast<long>(list.size()) - 1;
    while (low <= high) {
        const long middle = (low + high) / 2;
        const int order = ListOrderCompare(list[static_cast<size_t>(middle)], text);
        if (order == 0) {
            low = middle;
            break;
        }
        if (order > 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    list.insert(list.begin() + low, text);
}
