// The start program and every program it starts, waited for together on
// every Windows the packages run on (see ProgramJob). The functions that
// came after Windows 95 are looked up once, here: the outer stub, which
// starts no start program, carries none of this.
#ifndef STUBS_PROGRAM_JOB_H
#define STUBS_PROGRAM_JOB_H

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

}  // namespace stub

#endif
