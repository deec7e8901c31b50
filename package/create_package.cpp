#include "create_package.h"

#include <windows.h>

#include "create_front.h"
#include "file_copy.h"
#include "file_errors.h"
#include "package_limits.h"
#include "package_writers.h"
#include "path_helpers.h"
#include "platform_paths.h"
#include "spanning.h"
#include "win_handles.h"
#include "working_files.h"
#include "working_values.h"
#include "zip_job.h"

namespace {

// A cut path would name another file, and the cleanup would delete
// whatever lies there: a path too long to hold is refused, never cut.
bool SetWorkingPaths(const std::string& chosen) {
    OutputPath = WithoutLeadingBlanks(chosen);
    const std::string folder = FolderPart(OutputPath);
    const std::string baseName = BaseNamePart(OutputPath);
    IntermediatePath = folder + ShortPrefix(baseName) + "Plus.exe";
    ArchivePath = folder + baseName + ".zip";
    KeptPackagePath = folder + baseName + ".old";
    for (const std::string* path :
         {&OutputPath, &ArchivePath, &IntermediatePath, &KeptPackagePath}) {
        if (path->size() <= MaxPathText) continue;
        Front().ShowMessage("Unable to write " + *path + ": the path has more than " +
                                std::to_string(MaxPathText) + " characters",
                            "Vornaly", MB_OK);
        return false;
    }
    return true;
}

// A chosen name such as ABCDPlus.exe or Setup.zip is itself the name of a
// working file; building there would overwrite the package with its own
// parts. Such a name is refused before anything is written.
bool OutputNameIsFree() {
    for (const std::string* working : {&ArchivePath, &IntermediatePath, &KeptPackagePath}) {
        if (lstrcmpiA(working->c_str(), OutputPath.c_str()) != 0) continue;
        Front().ShowMessage("Unable to write " + OutputPath +
                                ": this name is kept for a working file; choose another name",
                            "Vornaly", MB_OK);
        return false;
    }
    return true;
}

// The inner executable moves aside under IntermediatePath, so that the
// package can be written at OutputPath around it.
bool MoveInnerExecutableAside() {
    if (MoveFileA(OutputPath.c_str(), IntermediatePath.c_str())) return true;
    ShowFileError(FileErrorNumber(GetLastError()));
    return false;
}

// The steps from the chosen path to the finished package. False when a step
// failed; that step has said why.
bool BuildPackage() {
    // A missing diskette is an error number here, not a system dialog.
    QuietErrorMode quiet;
    if (!OutputNameIsFree()) return false;
    WorkingFiles files;
    if (!files.Hold() || !files.Prepare()) return false;
    SavedArchiveTimes = FileTimes{};

    std::string lastEntryName;
    if (ZipSetupList(lastEntryName) != 0) return false;
    // Exit pressed while the job ran: the program ends once Create returns.
    CreateFront& front = Front();
    if (front.QuitRequested()) return false;

    front.ProgressHide();
    if (!front.ChooseInstallExecutable()) return false;
    if (!WithinPackageLimits(lastEntryName)) return false;

    if (!WriteInnerExecutable()) return false;
    if (!MarkInnerExecutable(OutputPath) || !MoveInnerExecutableAside()) return false;
    if (!WritePackage(lastEntryName)) return false;
    if (!DeleteFileA(IntermediatePath.c_str())) {
        ShowFileError(FileErrorNumber(GetLastError()));
        return false;
    }

    if (front.SpanTicked()) {
        if (!SpanPackage()) return false;
    } else {
        StampPackageTimes(OutputPath);
    }
    files.Finish();
    return true;
}

}  // namespace

bool CreatePackage() {
    CreateFront& front = Front();
    if (front.SetupCount() <= 0) return false;
    const std::string chosen = front.ChoosePackageFile();
    bool built = false;
    if (!WithoutLeadingBlanks(chosen).empty() && SetWorkingPaths(chosen)) built = BuildPackage();
    front.ProgressHide();
    return built;
}
