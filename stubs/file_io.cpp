// File helpers of both stubs.
#include "file_io.h"

#include <string.h>

#include "ansi_code_page.h"
#include "platform.h"
#include "private_folder.h"

namespace stub {

bool ReadAt(HANDLE file, uint32_t offset, void* buffer, uint32_t length) {
    // Without its high half the distance is a signed 32-bit number, which
    // cannot reach past 2 GiB: packages reach to 4 GiB.
    LONG high = 0;
    if (SetFilePointer(file, LONG(offset), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    char* at = static_cast<char*>(buffer);
    while (length > 0) {
        DWORD read = 0;
        if (!ReadFile(file, at, length, &read, nullptr) || read == 0) return false;
        at += read;
        length -= read;
    }
    return true;
}

bool FileSink::Write(const void* bytes, uint32_t length) {
    DWORD written = 0;
    if (!WriteFile(file_, bytes, length, &written, nullptr)) {
        error_ = GetLastError();
        return false;
    }
    if (written != length) {
        error_ = ERROR_DISK_FULL;
        return false;
    }
    return true;
}

bool MakeFolders(const char* folder, bool (*made)(const char* path, void* context), void* context) {
    char path[MAX_PATH];
    size_t length = strlen(folder);
    if (length == 0 || length >= sizeof path) return false;
    memcpy(path, folder, length + 1);
    // Each separator after the root ends a folder that may need making; the
    // second byte "\" of a character is none.
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    for (char* previous = path;;) {
        char* at = const_cast<char*>(text::NextCharacter(previous, lead));
        if ((*at == '\\' || *at == 0) && *previous != ':' && *previous != '\\') {
            char kept = *at;
            *at = 0;
            if (CreateDirectoryA(path, nullptr) && made && !made(path, context)) {
                RemoveDirectoryA(path);
                return false;
            }
            *at = kept;
        }
        if (!*at) break;
        previous = at;
    }
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const char* folder, bool atRestart) {
    char pattern[MAX_PATH];
    size_t length = strlen(folder);
    if (length + 3 >= sizeof pattern) return;
    memcpy(pattern, folder, length + 1);
    while (length > 0 && text::EndsWith(pattern, '\\', text::AnsiLeadBytes()))
        pattern[--length] = 0;
    if (length == 0) return;
    bool emptied = !atRestart;
    memcpy(pattern + length, "\\*", 3);
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(pattern, &found));
    if (search.valid()) {
        do {
            if (!strcmp(found.cFileName, ".") || !strcmp(found.cFileName, "..")) continue;
            char path[MAX_PATH];
            size_t name = strlen(found.cFileName);
            if (length + 1 + name >= sizeof path) continue;
            memcpy(path, folder, length);
            path[length] = '\\';
            memcpy(path + length + 1, found.cFileName, name + 1);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path, atRestart);
                emptied = emptied && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
                continue;
            }
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
            if (atRestart || !DeleteFileA(path)) {
                RemoveAtRestart(path, false);
                emptied = false;
            }
        } while (FindNextFileA(search.get(), &found));
    }
    search.reset();
    pattern[length] = 0;
    SetFileAttributesA(pattern, FILE_ATTRIBUTE_NORMAL);
    // A program that has just ended lets go of its folder and of its own
    // program file a moment later, and that file, deleted while still held,
    // stays in the folder until it is let go: NT 4.0, which has no job to
    // wait for the program's end, removes the folder before then. So a
    // folder whose files are all deleted is tried again for a while before
    // it is left for the restart.
    for (int tries = 0; atRestart || !RemoveDirectoryA(pattern); ++tries) {
        if (!emptied || tries == 50) {
            RemoveAtRestart(pattern, true);
            return;
        }
        Sleep(100);
    }
}

bool MakePrivateFolder(char* folder, uint32_t room) {
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length + 14 >= sizeof temp || length + 14 >= room) return false;
    if (!text::EndsWith(temp, '\\', text::AnsiLeadBytes())) temp[length++] = '\\';
    temp[length] = 0;
    MakeFolders(temp);
    DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    SECURITY_ATTRIBUTES attributes;
    SECURITY_ATTRIBUTES* security = PrivateFolderAttributes(attributes);
    for (DWORD attempt = 0; attempt < 1000; ++attempt) {
        wsprintfA(folder, "%sVNP%05lX.TMP", temp, (seed + attempt) & 0xFFFFF);
        // Creation fails when the folder is there already: only a folder
        // made here is ours to fill and remove.
        if (CreateDirectoryA(folder, security)) {
            lstrcatA(folder, "\\");
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

}  // namespace stub
