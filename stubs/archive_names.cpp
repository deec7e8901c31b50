// Archive names and unpacking faults, as both stubs report them.
#include "archive_names.h"

#include <windows.h>

#include <string.h>

#include "entry_paths.h"
#include "utf8.h"

namespace stub {

bool NamesToAnsi(ZipDirectory& directory) {
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        ZipEntry& entry = directory[i];
        if (!entry.utf8Name) continue;
        uint16_t wide[MAX_PATH];
        if (!Utf8ToUtf16(entry.name, wide, MAX_PATH)) return false;
        BOOL lossy = FALSE;
        // ANSI never takes more bytes than UTF-8 for the same characters.
        char ansi[4 * MAX_PATH];
        if (!WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWCH>(wide), -1, ansi, sizeof ansi,
                                 nullptr, &lossy) ||
            lossy || strlen(ansi) > strlen(entry.name))
            return false;
        strcpy(entry.name, ansi);
    }
    return true;
}

int FirstUnsafeEntry(const ZipDirectory& directory) {
    for (uint32_t i = 0; i < directory.Count(); ++i)
        if (!SafeEntryPath(directory[i].name)) return int(i);
    return -1;
}

void DescribeUnpackFault(UnpackResult result, const char* name, char* why) {
    switch (result) {
    case UnpackResult::kWrongCrc:
        wsprintfA(why, "The package is damaged: %s does not hold the bytes that were packed.",
                  name);
        break;
    case UnpackResult::kUnsupported:
        wsprintfA(why, "%s is packed in a way this installer cannot unpack.", name);
        break;
    case UnpackResult::kNoMemory:
        wsprintfA(why, "There is not enough memory to unpack %s.", name);
        break;
    default: wsprintfA(why, "The package is damaged: %s cannot be unpacked.", name); break;
    }
}

}  // namespace stub
