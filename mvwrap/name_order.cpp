#include "name_order.h"

#include <windows.h>

namespace mvwrap {

std::wstring FoldCase(std::wstring name) {
    if (!name.empty()) CharUpperBuffW(&name[0], static_cast<DWORD>(name.size()));
    return name;
}

bool NameBefore(const std::wstring& a, const std::wstring& b) {
    int order = FoldCase(a).compare(FoldCase(b));
    return order != 0 ? order < 0 : a < b;
}

}  // namespace mvwrap
