#include "name_order.h"

#include <utility>

#include "file_system.h"

namespace mvwrap {

std::wstring FoldCase(std::wstring name) { return UpperCaseName(std::move(name)); }

bool NameBefore(const std::wstring& a, const std::wstring& b) {
    return FoldedNameBefore(FoldCase(a), a, FoldCase(b), b);
}

bool FoldedNameBefore(const std::wstring& foldedA, const std::wstring& a,
                      const std::wstring& foldedB, const std::wstring& b) {
    int order = foldedA.compare(foldedB);
    return order != 0 ? order < 0 : a < b;
}

}  // namespace mvwrap
