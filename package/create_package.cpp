#include "create_package.h"

#include <vector>

#include "create_front.h"
#include "file_attributes.h"
#include "file_copy.h"
#include "file_errors.h"
#include "file_operations.h"
#include "list_order.h"
#include "package_limits.h"
#include "package_writers.h"
#include "path_helpers.h"
#include "platform_paths.h"
#include "quiet_errors.h"
#include "spanning.h"
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
                            "Vornaly", MessageOk);
        return false;
    }
    return true;
}

// A chosen name such as ABCDPlus.exe or Setup.zip is itself the name of a
// working file; building there would overwrite the package with its own
// parts. Such a name is refused before anything is written.
bool OutputNameIsFree() {
    for (const std::string* working : {&ArchivePath, &IntermediatePath, &KeptPackagePath}) {
        if (!SameTextIgnoringCase(*working, OutputPath)) continue;
        Front().ShowMessage("Unable to write " + OutputPath +
                                ": this name is kept for a working file; choose another name",
                            "Vornaly", MessageOk);
        return false;
    }
    return true;
}

// The package's folder and those above it that are missing are made before
// anything is written there, and a failed Create removes them again.
class PackageFolder {
public:
    PackageFolder() = default;
    ~PackageFolder() {
        if (kept_) return;
        for (const std::string& folder : made_) RemoveFolder(folder);
    }
    PackageFolder(const PackageFolder&) = delete;
    PackageFolder& operator=(const PackageFolder&) = delete;

    // False, after naming the folder, when it cannot be made.
    bool Make() {
        const std::string folder = StripBackslash(FolderPart(OutputPath));
        for (std::string at = folder; !IsFolder(at);) {
            made_.push_back(at);
            const std::string above = StripBackslash(FolderPart(at));
            if (above.empty() || above == at) break;
            at = above;
        }
        if (made_.empty()) return true;
        MakeSureFoldersExist(FolderPart(OutputPath));
        if (IsFolder(folder)) return true;
        Front().ShowMessage("Unable to make the folder " + folder + " for the package: Error: " +
                                std::to_string(LastFileErrorNumber()),
                            "Vornaly", MessageOk);
        return false;
    }
    void Keep() { kept_ = true; }

private:
    std::vector<std::string> made_;  // the deepest first
    bool kept_ = false;
};

// The inner executable moves aside under IntermediatePath, so that the
// package can be written at OutputPath around it.
bool MoveInnerExecutableAside() {
    if (MoveFileTo(OutputPath, IntermediatePath)) return true;
    ShowFileError(LastFileErrorNumber());
    return false;
}

// The steps from the chosen path to the finished package. False when a step
// failed; that step has said why.
bool BuildPackage() {
    // A missing diskette is an error number here, not a system dialog.
    QuietErrorMode quiet;
    if (!OutputNameIsFree()) return false;
    PackageFolder folder;
    if (!folder.Make()) return false;
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
    if (!RemoveFile(IntermediatePath)) {
        ShowFileError(LastFileErrorNumber());
        return false;
    }

    if (front.SpanTicked()) {
        if (!SpanPackage()) return false;
    } else {
        StampPackageTimes(OutputPath);
    }
    files.Finish();
    folder.Keep();
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
