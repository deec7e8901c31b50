// What differs between the Windows versions the stubs run on (95, 98, ME,
// NT 4.0 and every later one), decided once at the first call: functions
// that came after Windows 95 are looked up, and where they are missing the
// older platforms' own way is taken. The rest of the stubs call only this.
#ifndef STUBS_PLATFORM_H
#define STUBS_PLATFORM_H

#include <windows.h>

namespace stub {

// Whether this is Windows 95, 98 or ME (or a system that reports one of
// them), rather than the NT line.
bool Windows95Line();

// Whether this system reports Windows 2000 or later, which have job objects.
bool JobObjectsExpected();

// Keeps the platform's own boxes away for the rest of the process and for
// every program it starts, which inherit the setting: a drive that is not
// ready, a program that lacks a DLL or that crashes is then an error
// number or an exit code, not a window that waits.
void NoSystemErrorBoxes();

// Has the file, or the folder once it is empty, removed at the next restart.
// The Windows 95 line removes files only: a folder is left there, for
// RemoveFoldersLeftBefore.
void RemoveAtRestart(const char* path, bool folder);

// On the Windows 95 line, removes the private folders ("VNPxxxxx.TMP") that
// earlier packages left in the temporary folder once the restart has
// removed their files: each that holds no file and has not changed for ten
// minutes. Elsewhere the restart removes them itself.
void RemoveFoldersLeftBefore();

}  // namespace stub

#endif
