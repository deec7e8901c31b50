// What a file or folder is, whatever path names it: its volume's serial
// number and its index on that volume. Every spelling of one file (its 8.3
// name, other letter case, a second drive letter for the same folder) has
// the same identity, so a file is told apart by this and never by how its
// path is spelled. Header only, shared by the program and MVWRAP.DLL; each
// opens the handle its own way (wide or ANSI calls).
#ifndef COMMON_FILE_IDENTITY_H
#define COMMON_FILE_IDENTITY_H

#include <windows.h>

struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}
inline bool operator!=(const FileIdentity& a, const FileIdentity& b) { return !(a == b); }

// The identity of an open file or folder; false when the system cannot say.
inline bool IdentityOf(HANDLE file, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return false;
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

#endif
