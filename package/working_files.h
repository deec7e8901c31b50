// The files of one Create besides what it makes: the archive, the
// intermediate file and the package that was at the chosen path before,
// which waits under its working name until the new one is complete. One
// guard per Create, alive from the moment the names are known to the end:
// every way out of a Create goes through its destructor, so that a Create
// that fails, at whatever step, leaves the folder as it found it.
#ifndef PACKAGE_WORKING_FILES_H
#define PACKAGE_WORKING_FILES_H

#include <windows.h>

#include <string>
#include <vector>

class WorkingFiles {
public:
    WorkingFiles() = default;
    // Unless Finish was reached: deletes what this run wrote at the package
    // path and the working paths, and puts the old package back.
    ~WorkingFiles();
    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;

    // Holds OutputPath and the working paths against every other Create,
    // in this program or another, until the guard ends. False, after saying
    // which, when another Create holds one of them.
    bool Hold();
    // Removes what an earlier run left at the working paths (read-only or
    // not) and moves a file at OutputPath aside to KeptPackagePath. False,
    // after saying what could not be done; nothing is touched after that.
    bool Prepare();
    // The package is complete: the old one goes.
    void Finish();

private:
    std::vector<HANDLE> held_;
    bool prepared_ = false;
    bool finished_ = false;
};

#endif
