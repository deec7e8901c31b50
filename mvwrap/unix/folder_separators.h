// The character that ends a folder in a Linux path; a backslash or a colon
// is part of a name there.
#ifndef MVWRAP_FOLDER_SEPARATORS_H
#define MVWRAP_FOLDER_SEPARATORS_H

namespace mvwrap {

constexpr const wchar_t* kFolderSeparators = L"/";

}  // namespace mvwrap

#endif
