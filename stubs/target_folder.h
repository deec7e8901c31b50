// The folder /X: extracts into, tried before anything is written: a user
// without the rights to write there learns which folder it is, instead of
// an error number for the first file. A package asks for the invoker's
// rights, so Windows no longer moves such writes aside into the user's
// virtual store, where they would seem to succeed.
#ifndef STUBS_TARGET_FOLDER_H
#define STUBS_TARGET_FOLDER_H

#include <windows.h>

namespace stub {

// Exit code of a package under /Q:A whose folder may not be written.
const int kExitAccessDenied = 5;

// How the folder is tried: a file made and removed in the folder when it is
// there, or else the first missing folder on the way made and removed
// again. The platform error, or 0 when it could be written; a test gives
// what its platform never refuses.
using WriteTrial = DWORD (*)(const char* place, bool isFolder);
DWORD TryWriting(const char* place, bool isFolder);

// 0 when the folder can be written into, or when what keeps it from that
// is another fault than missing rights (the extraction reports that as it
// comes). Otherwise the error is reported, naming the folder, and the exit
// code returned: kExitAccessDenied under noWindows (/Q:A), else kExitFailed.
int RefuseUnwritableFolder(const char* folder, bool noWindows, WriteTrial trial = TryWriting);

}  // namespace stub

#endif
