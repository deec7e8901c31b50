#include "name_order.h"

#include <utility>

#include "file_system.h"

namespace mvwrap {

std::wstring FoldCase(std::wstring name) { return UpperCaseName(std::move(name)); }

bool NameBefore(const std::wstring& a, const std::wstring& b) {
    int order = FoldCase(a).compare(FoldCase(b));
    return order != 0 ? order < 0 : a < b;
}

}  // namespace mvwrap
