// Which archive entry names may be written below the extraction folder.
#ifndef STUBS_ENTRY_PATHS_H
#define STUBS_ENTRY_PATHS_H

#include "code_page_text.h"

namespace stub {

// True for a relative name ("\" separators) that stays inside the folder it
// is extracted to: no root, drive, stream or device, no "." or ".."
// component, no empty component except the trailing one of a folder entry,
// no component the platform would silently change (trailing dot or blank),
// no characters a file name cannot hold, no lead byte without its second
// byte. The name is walked by the characters of the code page whose lead
// bytes are given.
bool SafeEntryPath(const char* name, const text::LeadBytes& lead);

}  // namespace stub

#endif
