#include "console_front.h"

#include <cstdio>

#include "executable_entries.h"
#include "list_order.h"
#include "path_helpers.h"
#include "upper_case.h"
#include "working_values.h"

namespace {

constexpr char BuilderCaption[] = "VNPMAKE";

// Whole, however long: a longer path than the Create can hold is refused
// by name, never cut.
std::string FullPath(const std::string& path) {
    std::string full(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (length == 0) return path;
        if (length < full.size()) return full.substr(0, length);
        full.resize(length + 1);
    }
}

// A drop names a folder without a closing backslash, except a drive's root.
std::string AsDropped(const std::string& folder) {
    std::string full = FullPath(folder);
    if (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
}

void SayError(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", BuilderCaption, text.c_str());
}

}  // namespace

bool ConsoleFront::ListFolders() {
    for (const std::string& folder : request_.folders) {
        const std::string name = AsDropped(folder);
        // Before it is looked for: cut, it could name another folder.
        if (name.size() > MaxPathText) {
            SayError("The setup folder " + name + " has more than 254 characters.");
            return false;
        }
        const DWORD attributes = GetFileAttributesA(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            SayError("The setup folder " + name + " does not exist.");
            return false;
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
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
        SayError("/START:" + *request_.start + " is not an EXE entry of the archive." +
                 (candidates.empty() ? " It has none." : " Its EXE entries:" + listed));
        return false;
    }
    if (candidates.size() > 1) {
        SayError("The archive has several EXE entries; name the start program with /START:" +
                 listed);
        return false;
    }
    if (candidates.size() == 1) InstallExecutable = candidates[0];
    return true;
}

void ConsoleFront::ShowMessage(const std::string& text, const char* caption, UINT) {
    std::fprintf(stderr, "%s: %s\n", caption, text.c_str());
}

void ConsoleFront::SetStatus(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void ConsoleFront::FolderZipped(const std::string& item) {
    std::printf("Zipped %s\n", item.c_str());
    std::fflush(stdout);
}
