#include "console_front.h"

#include <cstdio>

#include "executable_entries.h"
#include "path_helpers.h"
#include "setup_list.h"
#include "upper_case.h"
#include "working_values.h"

namespace {

constexpr char BuilderCaption[] = "VNPMAKE";

HWND SortedListBox() {
    return CreateWindowExA(0, "LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 0, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::string ListText(HWND list, int index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    if (length <= 0) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH] = "";
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// A drop names a folder without a closing backslash, except a drive's root.
std::string AsDropped(const std::string& folder) {
    std::string full = FullPath(folder);
    return StripBackslash(full);
}

void SayError(const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", BuilderCaption, text.c_str());
}

}  // namespace

ConsoleFront::ConsoleFront(const BuildRequest& request)
    : request_(request), setupList_(SortedListBox()), candidates_(SortedListBox()) {}

ConsoleFront::~ConsoleFront() {
    DestroyWindow(setupList_);
    DestroyWindow(candidates_);
}

bool ConsoleFront::ListFolders() {
    std::vector<std::string> names;
    for (const std::string& folder : request_.folders) {
        const std::string name = AsDropped(folder);
        const DWORD attributes = GetFileAttributesA(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            SayError("The setup folder " + name + " does not exist.");
            return false;
        }
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            SayError(name + " is a file, not a setup folder.");
            return false;
        }
        if (name.size() > MaxPathText) {
            SayError("The setup folder " + name + " has more than 254 characters.");
            return false;
        }
        names.push_back(name);
    }
    AddSetupFolders(setupList_, names);
    return true;
}

int ConsoleFront::SetupCount() {
    return static_cast<int>(SendMessageA(setupList_, LB_GETCOUNT, 0, 0));
}

std::string ConsoleFront::SetupItem(int index) { return ListText(setupList_, index); }

// What the Open dialog hands back for a typed name: the full path, with the
// default extension where the name has none.
std::string ConsoleFront::ChoosePackageFile() {
    std::string path = FullPath(request_.package);
    if (ExtensionPart(FileNamePart(path)).empty()) path += ".exe";
    return path;
}

bool ConsoleFront::ChooseInstallExecutable() {
    InstallExecutable.clear();
    SendMessageA(candidates_, LB_RESETCONTENT, 0, 0);
    ListExecutableEntries(candidates_);
    const int count = static_cast<int>(SendMessageA(candidates_, LB_GETCOUNT, 0, 0));
    std::string listed;
    for (int i = 0; i < count; ++i) listed += "\n  " + ListText(candidates_, i);
    if (request_.start) {
        for (int i = 0; i < count; ++i) {
            if (UpperCased(ListText(candidates_, i)) != UpperCased(*request_.start)) continue;
            InstallExecutable = ListText(candidates_, i);
            return true;
        }
        SayError("/START:" + *request_.start + " is not an EXE entry of the archive." +
                 (count ? " Its EXE entries:" + listed : " It has none."));
        return false;
    }
    if (count > 1) {
        SayError("The archive has several EXE entries; name the start program with /START:" +
                 listed);
        return false;
    }
    if (count == 1) InstallExecutable = ListText(candidates_, 0);
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
