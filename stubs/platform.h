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
// job waits for the programs a setup program hands over to. Owns the job.
class ProgramJob {
public:
    // Takes the process, started suspended, into a new job.
    explicit ProgramJob(HANDLE process);
    ~ProgramJob();
    ProgramJob(const ProgramJob&) = delete;
    ProgramJob& operator=(const ProgramJob&) = delete;

    // Whether a program of the job still runs. Always false without job
    // objects, or when this process's own job allows no job inside: then
    // only the start program itself can be waited for.
    bool Running() const;

private:
    HANDLE job_ = nullptr;
};

// Keeps the platform's own boxes away for the rest of the process and for
// every program it starts, which inherit the setting: a drive that is not
// ready, a program that lacks a DLL or that crashes is then an error
// number or an exit code, not a window that waits.
void NoSystemErrorBoxes();

// Has the file, or the folder once it is empty, removed at the next restart.
// The Windows 95 line removes files only: a folder is left there.
void RemoveAtRestart(const char* path, bool folder);

}  // namespace stub

#endif
