// The one notion of "the same name" and "name order" the component uses:
// case is ignored, as the platform's file system ignores it.
#ifndef MVWRAP_NAME_ORDER_H
#define MVWRAP_NAME_ORDER_H

#include <string>

namespace mvwrap {

// The name in the form in which names that differ only in case are equal.
std::wstring FoldCase(std::wstring name);

// Case-insensitive order; names equal but for case fall back to their exact
// text, so that the order never depends on the order they were found in.
bool NameBefore(const std::wstring& a, const std::wstring& b);
// The same, for names whose folded forms are already at hand: sorting
// thousands of names folds each only once.
bool FoldedNameBefore(const std::wstring& foldedA, const std::wstring& a,
                      const std::wstring& foldedB, const std::wstring& b);

}  // namespace mvwrap

#endif
