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
#include "working_values.h"
#include "zip_job.h"

namespace {

// A working file left by an earlier run goes, read-only or not. False, after
// saying so, when it cannot: the run would otherwise build on stale bytes.
bool RemoveLeftover(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && DeleteFileA(path.c_str())) return true;
    Front().ShowMessage("Unable to remove " + path, "Vornaly", MB_OK);
    return false;
}

void SetWorkingPaths(const std::string& chosen) {
    OutputPath = CutTo(WithoutLeadingBlanks(chosen), MaxPathText);
    const std::string folder = FolderPart(OutputPath);
    const std::string baseName = BaseNamePart(OutputPath);
    IntermediatePath = CutTo(folder + ShortPrefix(baseName) + "Plus.exe", MaxPathText);
    ArchivePath = CutTo(folder + baseName + ".zip", MaxPathText);
}

// A chosen name such as ABCDPlus.exe or Setup.zip is itself the name of a
// working file; building there would overwrite the package with its own
// parts. Such a name is refused before anything is written.
bool OutputNameIsFree() {
    for (const std::string* working : {&ArchivePath, &IntermediatePath}) {
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
    if (!RemoveLeftover(ArchivePath) || !RemoveLeftover(IntermediatePath)) return false;

    std::string lastEntryName;
    if (ZipSetupList(lastEntryName) != 0) return false;
    // Exit pressed while the job ran: the program ends once Create returns.
    CreateFront& front = Front();
    if (front.QuitRequested()) return false;

    front.ProgressHide();
    if (!front.ChooseInstallExecutable()) return false;
    if (!WithinPackageLimits(lastEntryName)) return false;

    if (!WriteInnerExecutable()) return false;
    if (!MarkInnerExecutable(OutputPath) || !MoveInnerExecutableAside()) {
        DeleteFileA(OutputPath.c_str());
        return false;
    }
    const bool written = WritePackage(lastEntryName);
    DeleteFileA(IntermediatePath.c_str());
    if (!written) return false;

    if (front.SpanTicked()) return SpanPackage();
    StampPackageTimes(OutputPath);
    return true;
}

}  // namespace

bool CreatePackage() {
    CreateFront& front = Front();
    if (front.SetupCount() <= 0) return false;
    const std::string chosen = front.ChoosePackageFile();
    bool built = false;
    if (!WithoutLeadingBlanks(chosen).empty()) {
        SetWorkingPaths(chosen);
        built = BuildPackage();
    }
    front.ProgressHide();
    return built;
}
