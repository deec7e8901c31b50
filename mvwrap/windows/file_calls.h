// The file-system calls of the component's writing side, in the system's own
// terms (handles, attributes, find data). The component names files in
// UTF-16 throughout; the NT line is asked in that form, while Windows 95, 98
// and ME, whose wide file calls only fail, are asked through the ANSI code
// page. Which of the two is decided once, on the first call. A name that the
// ANSI code page cannot represent is not asked for at all (a substitute
// character could name another file): the call fails with
// ERROR_NO_UNICODE_TRANSLATION. Handles returned belong to the caller
// (FileHandle, FindHandle).
#ifndef MVWRAP_FILE_CALLS_H
#define MVWRAP_FILE_CALLS_H

#include <windows.h>

#include <string>

#include "file_identity.h"

namespace mvwrap {

// CreateFile without security attributes or template.
HANDLE OpenPath(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                DWORD flags);
bool RemoveFile(const std::wstring& path);
// GetFileAttributes: INVALID_FILE_ATTRIBUTES when there is nothing there.
DWORD PathAttributes(const std::wstring& path);
// Attributes, times and size of a file, as GetFileAttributesEx gives them.
bool PathDetails(const std::wstring& path, WIN32_FILE_ATTRIBUTE_DATA& details);
bool AbsolutePath(const std::wstring& path, std::wstring& full);
// Puts `source` in the place of `target`, which may exist; both lie in one
// folder.
bool ReplacePath(const std::wstring& source, const std::wstring& target);

// FindFirstFile and FindNextFile; the data always comes back in UTF-16.
HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data);
bool FindNext(HANDLE search, WIN32_FIND_DATAW& data);
// Whether a found name lacks characters the system could not show in the
// ANSI code page (they come as '?', which no real name holds): such a file
// cannot be opened by its name here.
bool NameIncomplete(const WIN32_FIND_DATAW& data);

}  // namespace mvwrap

#endif
