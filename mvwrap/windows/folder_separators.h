// The characters that end a folder in a Windows path: either slash, and
// the colon after a drive letter ("C:setup.zip").
#ifndef MVWRAP_FOLDER_SEPARATORS_H
#define MVWRAP_FOLDER_SEPARATORS_H

namespace mvwrap {

constexpr const wchar_t* kFolderSeparators = L"\\/:";

}  // namespace mvwrap

#endif
