// The files of one Create besides what it makes: the archive, the
// intermediate file and the package that was at the chosen path before,
// which waits under its working name until the new one is complete. One
// guard per Create, alive from the moment the names are known to the end:
// every way out of a Create goes through its destructor, so that a Create
// that fails, at whatever step, leaves every file it did not make as it
// found it.
#ifndef PACKAGE_WORKING_FILES_H
#define PACKAGE_WORKING_FILES_H

#include <string>
#include <vector>

#include "set_aside.h"
#include "working_hold.h"

class WorkingFiles {
public:
    WorkingFiles() = default;
    // Unless Finish was reached: deletes what this run wrote at the package
    // path and the working paths, and puts back what was set aside.
    ~WorkingFiles();
    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;

    // Holds OutputPath and the working paths against every other Create,
    // in this program or another, however either spells the folder, until
    // the guard ends. False, after saying which, when another Create holds
    // one of them.
    bool Hold();
    // Refuses a package path whose files would be setup files; then sets
    // aside what lies at the working paths and moves a file at OutputPath
    // to KeptPackagePath, and has the zip job leave out every file of this
    // Create's. False, after saying why; nothing is changed then.
    bool Prepare();
    // The package is complete: the old one goes, and whatever else was set
    // aside comes back.
    void Finish();

private:
    std::vector<NativeHold> held_;
    SetAside aside_;
    bool prepared_ = false;
    bool finished_ = false;
};

#endif
