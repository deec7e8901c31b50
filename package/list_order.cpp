#include "list_order.h"

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
