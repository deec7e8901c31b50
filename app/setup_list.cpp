#include "setup_list.h"

#include <shellapi.h>

#include "upper_case.h"
#include "win_handles.h"
#include "working_values.h"

bool SetupListContains(HWND list, const std::string& path) {
    const std::string wanted = UpperCased(path);
    const short last = static_cast<short>(SendMessageA(list, LB_GETCOUNT, 0, 0) - 1);
    for (short i = 0; i <= last; ++i) {
        char entry[256] = "";
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof entry)) continue;
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry));
        if (UpperCased(entry) == wanted) return true;
    }
    return false;
}

std::vector<std::string> DroppedNames(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string name(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        name.resize(DragQueryFileA(drop, i, &name[0], static_cast<UINT>(name.size())));
        names.push_back(name);
    }
    return names;
}

void AddSetupFolders(HWND list, const std::vector<std::string>& names) {
    QuietErrorMode quiet;
    for (const std::string& name : names) {
        if (name.empty() || SetupListContains(list, name)) continue;
        // Cut, the path could name another folder ("...\Disk 10" would be
        // "...\Disk 1").
        if (name.size() > MaxPathText) {
            MessageBoxA(nullptr,
                        ("The folder " + name + " has more than " + std::to_string(MaxPathText) +
                         " characters, so it is not listed.")
                            .c_str(),
                        "Vornaly Installer", MB_OK);
            continue;
        }
        const DWORD attributes = GetFileAttributesA(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        if (SendMessageA(list, LB_GETCOUNT, 0, 0) >= MaxSetupEntries) continue;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void RemoveSelectedSetup(HWND list) {
    const LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR) SendMessageA(list, LB_DELETESTRING, selected, 0);
}
