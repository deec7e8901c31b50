// Trying the /X: folder (see target_folder.h). Nothing tried is left behind.
#include "target_folder.h"

#include <string.h>

#include "stub_messages.h"

namespace stub {

DWORD TryWriting(const char* place, bool isFolder) {
    if (isFolder) {
        if (!CreateDirectoryA(place, nullptr)) return GetLastError();
        RemoveDirectoryA(place);
        return 0;
    }
    HANDLE file = CreateFileA(place, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    DeleteFileA(place);
    return 0;
}

int RefuseUnwritableFolder(const char* folder, bool noWindows, WriteTrial trial) {
    char place[MAX_PATH];
    size_t length = strlen(folder);
    while (length > 0 && folder[length - 1] == '\\') --length;
    if (length == 0 || length + 14 >= sizeof place) return 0;
    memcpy(place, folder, length);
    place[length] = 0;
    // The deepest folder of the path that is there; the trial is made one
    // step below it.
    size_t missing = 0;
    for (;;) {
        DWORD attributes = GetFileAttributesA(place);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
            break;
        }
        char* cut = strrchr(place, '\\');
        if (!cut || cut == place) return 0;
        missing = size_t(cut - place);
        if (cut[-1] == ':') break;  // below the root of a drive
        *cut = 0;
    }
    DWORD error;
    if (missing) {
        memcpy(place, folder, length);
        char* next = strchr(place + missing + 1, '\\');
        if (next)
            *next = 0;
        else
            place[length] = 0;
        error = trial(place, true);
    } else {
        size_t at = strlen(place);
        wsprintfA(place + at, "\\VNP%05lX.TMP", GetCurrentProcessId() & 0xFFFFF);
        error = trial(place, false);
    }
    if (error != ERROR_ACCESS_DENIED) return 0;
    ShowError(
        "You may not write into the folder %s. Choose another folder with /X:, or run the "
        "package with administrator rights.",
        folder);
    return noWindows ? kExitAccessDenied : kExitFailed;
}

}  // namespace stub
