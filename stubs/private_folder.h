// The access list of the temporary folder a package unpacks into. When the
// package runs with administrator rights on the NT line, the programs of
// the same user without those rights must not be able to put a DLL beside
// the installation program before it starts: the folder is then made for
// administrators and SYSTEM alone, with that list set as it is made, so
// that there is no moment in which anyone else may write there.
#ifndef STUBS_PRIVATE_FOLDER_H
#define STUBS_PRIVATE_FOLDER_H

#include <windows.h>

namespace stub {

// Whether the folder is made for administrators and SYSTEM alone. The
// Windows 95 line has no access lists; on the NT line it is the process's
// administrator rights that decide.
inline bool RestrictsFolder(bool windows95Line, bool administrator) {
    return !windows95Line && administrator;
}

// The attributes to make the folder with, filled in: the list for
// administrators and SYSTEM where the folder must have it; null where it
// gets the usual list.
SECURITY_ATTRIBUTES* PrivateFolderAttributes(SECURITY_ATTRIBUTES& attributes);

}  // namespace stub

#endif
