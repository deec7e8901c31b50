#include "create_package.h"

#include <windows.h>

#include "executable_choice.h"
#include "file_copy.h"
#include "file_errors.h"
#include "package_file_choice.h"
#include "package_writers.h"
#include "path_helpers.h"
#include "platform_paths.h"
#include "progress.h"
#include "shell.h"
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
    MessageBoxA(nullptr, ("Unable to remove " + path).c_str(), "Vornaly", MB_OK);
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
        MessageBoxA(nullptr,
                    ("Unable to write " + OutputPath +
                     ": this name is kept for a working file; choose another name")
                        .c_str(),
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
    if (QuitRequested()) return false;

    ShowWindow(TheShell.progressBar, SW_HIDE);
    ChooseInstallExecutable();

    if (!WriteInnerExecutable()) return false;
    if (!MarkInnerExecutable(OutputPath) || !MoveInnerExecutableAside()) {
        DeleteFileA(OutputPath.c_str());
        return false;
    }
    const bool written = WritePackage(lastEntryName);
    DeleteFileA(IntermediatePath.c_str());
    if (!written) return false;

    if (SendMessageA(TheShell.spanCheckBox, BM_GETCHECK, 0, 0) != BST_UNCHECKED)
        SpanPackage();
    else
        StampPackageTimes(OutputPath);
    return true;
}

}  // namespace

void CreatePackage() {
    if (SendMessageA(TheShell.setupList, LB_GETCOUNT, 0, 0) <= 0) return;
    const std::string chosen = ChoosePackageFile();
    if (!WithoutLeadingBlanks(chosen).empty()) {
        SetWorkingPaths(chosen);
        BuildPackage();
    }
    ShowWindow(TheShell.progressBar, SW_HIDE);
}
