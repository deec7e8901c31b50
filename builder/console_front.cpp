#include "console_front.h"

#include <cstdio>

#include "console_text.h"
#include "executable_entries.h"
#include "folder_paths.h"
#include "list_order.h"
#include "package_constants.h"
#include "path_helpers.h"
#include "upper_case.h"
#include "working_values.h"

namespace {

// A drop names a folder without a closing backslash, except a drive's root.
std::string AsDropped(const std::string& folder) {
    std::string full = FullPath(folder);
    return StripBackslash(full);
}

void SayError(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", BuilderName, ForConsole(text).c_str());
}

}  // namespace

void WarnOfUncheckedPassword(const std::string& password) {
    if (password.size() > RecordLength - RecordPasswordOffset)
        std::fprintf(stderr,
                     "%s: warning: only the first %u characters of the password are "
                     "checked when the package is installed\n",
                     BuilderName, static_cast<unsigned>(RecordLength - RecordPasswordOffset));
}

bool ConsoleFront::ListFolders() {
    for (const std::string& folder : request_.folders) {
        const std::string name = AsDropped(folder);
        // Before it is looked for: cut, it could name another folder.
        if (name.size() > MaxPathText) {
            SayError("The setup folder " + name + " has more than 254 characters.");
            return false;
        }
        const PathKind kind = KindOfPath(name);
        if (kind == PathKind::kMissing) {
            SayError("The setup folder " + name + " does not exist.");
            return false;
        }
        if (kind == PathKind::kFile) {
            SayError(name + " is a file, not a setup folder.");
            return false;
        }
        const std::string upper = UpperCased(name);
        bool listed = false;
        for (const std::string& entry : setupList_) listed = listed || UpperCased(entry) == upper;
        if (!listed) InsertInListOrder(setupList_, name);
    }
    return true;
}

int ConsoleFront::SetupCount() { return static_cast<int>(setupList_.size()); }

std::string ConsoleFront::SetupItem(int index) {
    return index >= 0 && index < SetupCount() ? setupList_[static_cast<size_t>(index)] : "";
}

// What the Open dialog hands back for a typed name: the full path, with the
// default extension where the name has none.
std::string ConsoleFront::ChoosePackageFile() {
    std::string path = FullPath(request_.package);
    if (ExtensionPart(FileNamePart(path)).empty()) path += ".exe";
    return path;
}

bool ConsoleFront::ChooseInstallExecutable() {
    InstallExecutable.clear();
    const std::vector<std::string> candidates = ExecutableEntries();
    std::string listed;
    for (const std::string& name : candidates) listed += "\n  " + name;
    if (request_.start) {
        for (const std::string& name : candidates) {
            if (UpperCased(name) != UpperCased(*request_.start)) continue;
            InstallExecutable = name;
            return true;
        }
        SayError(StartSwitch + *request_.start + " is not an EXE entry of the archive." +
                 (candidates.empty() ? " It has none." : " Its EXE entries:" + listed));
        return false;
    }
    if (candidates.size() > 1) {
        SayError("The archive has several EXE entries; name the start program with " +
                 std::string(StartSwitch) +
                 listed);
        return false;
    }
    if (candidates.size() == 1) InstallExecutable = candidates[0];
    return true;
}

void ConsoleFront::ShowMessage(const std::string& text, const char* caption, MessageStyle) {
    std::fprintf(stderr, "%s: %s\n", caption, ForConsole(text).c_str());
}

void ConsoleFront::SetStatus(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void ConsoleFront::FolderZipped(const std::string& item) {
    std::printf("Zipped %s\n", ForConsole(item).c_str());
    std::fflush(stdout);
}
