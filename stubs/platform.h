// What differs between the Windows versions the stubs run on (95, 98, ME,
// NT 4.0 and every later one), decided once at the first call: functions
// that came after Windows 95 are looked up, and where they are missing the
// older platforms' own way is taken. The rest of the stubs call only this.
#ifndef STUBS_PLATFORM_H
#define STUBS_PLATFORM_H

#include <windows.h>

namespace stub {

// The start program and every program it starts, held together where the
// platform has job objects (Windows 2000 and later), so that waiting for the
// job waits for the programs a setup program hands over to. The Windows 95
// line has no jobs: there the programs are found by their parent in the
// platform's list of processes, which it has instead. Owns the job.
class ProgramJob {
public:
    // Takes the process, started suspended, into a new job.
    ProgramJob(HANDLE process, DWORD processId);
    ~ProgramJob();
    ProgramJob(const ProgramJob&) = delete;
    ProgramJob& operator=(const ProgramJob&) = delete;

    // Whether a program of the job still runs (without jobs: a program the
    // start program or one of those started, looked for at each call, so
    // that it is called while the start program runs too). Always false
    // where neither is there (NT 4.0), or when this process's own job allows
    // no job inside: then only the start program itself can be waited for.
    bool Running();

private:
    static const int kKnownRoom = 64;
    HANDLE job_ = nullptr;
    DWORD known_[kKnownRoom];  // the start program, then each program found
    int knownCount_ = 0;
};

// Whether this is Windows 95, 98 or ME (or a system that reports one of
// them), rather than the NT line.
bool Windows95Line();

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
