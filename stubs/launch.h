// Launching the start program in the extracted folder and waiting for it,
// on every Windows the packages run on: where it needs administrator rights
// the package does not have (error 740), through the shell's elevation;
// where it is a 16-bit program that this Windows cannot run, with a message
// in words instead of an error number.
#ifndef STUBS_LAUNCH_H
#define STUBS_LAUNCH_H

#include <windows.h>
#include <shellapi.h>

namespace stub {

// The platform calls the start takes, so that a test can give it an error
// that the platform it runs on never gives.
struct LaunchCalls {
    BOOL(WINAPI* createProcess)
    (LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR,
     LPSTARTUPINFOA, LPPROCESS_INFORMATION);
    // Null where the shell has none (it is looked up when first needed).
    BOOL(WINAPI* shellExecuteEx)(SHELLEXECUTEINFOA*);
    bool sixtyFourBitWindows;
};

// The system's calls; the shell's is looked up when a start needs it.
LaunchCalls SystemLaunchCalls();

// The platform's error for a program that needs more rights than this
// process has (ERROR_ELEVATION_REQUIRED, which the headers here lack).
const DWORD kErrorElevationRequired = 740;

// What follows a start program that could not be started.
enum class StartFailure {
    kReport,              // say so with the error number: exit code 1
    kElevate,             // start it again through the shell's elevation
    kNeedsAdministrator,  // no prompt may appear (/Q:A): exit code 740
};
StartFailure AfterFailedStart(DWORD error, bool noWindows, bool canElevate);

// Exit code 740 of a package that may not ask for administrator rights.
const int kExitElevationRequired = int(kErrorElevationRequired);

// Exit code of a package whose start program was started with administrator
// rights but without a process to wait for: it may still run, and its own
// code is not known (the platform's STILL_ACTIVE).
const int kExitStillRunning = 259;

// Runs the program name in the folder, with the folder as its current
// folder, and waits for it and for every program it started; its exit code,
// kExitFailed when it cannot be started, kExitCancelled when the user
// cancelled the elevation, kExitElevationRequired when it needs rights that
// no window may ask for (noWindows), kExitStillRunning when it could not be
// waited for: filesInUse is then set, for the files must stay while it may
// use them.
int RunStartProgram(const char* folder, const char* name, bool noWindows, const LaunchCalls& calls,
                    bool& filesInUse);

}  // namespace stub

#endif
