#include "set_aside.h"

#include <windows.h>

#include "create_front.h"
#include "path_helpers.h"
#include "win_handles.h"

namespace {

// The path with its last name as the folder holds it: a file asked for as
// README.TXT may be called ReadMe.txt, and comes back so.
std::string AsStored(const std::string& path) {
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(path.c_str(), &found));
    return search.valid() ? FolderPart(path) + found.cFileName : path;
}

// A name no file has in the folder of path. GetTempFileName makes the file
// to claim the name; the move then takes its place.
std::string FreeNameBeside(const std::string& path) {
    char name[MAX_PATH];
    const std::string folder = FolderPart(path);
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "vnp", 0, name)) return "";
    DeleteFileA(name);
    return name;
}

}  // namespace

bool SetAside::Move(const std::string& path, const std::string& to) {
    QuietErrorMode quiet;
    const std::string place = to.empty() ? FreeNameBeside(path) : to;
    const std::string from = AsStored(path);
    if (place.empty() || !MoveFileA(from.c_str(), place.c_str())) return false;
    moved_.push_back({from, place});
    return true;
}

bool SetAside::PutBack() {
    QuietErrorMode quiet;
    bool all = true;
    for (auto moved = moved_.rbegin(); moved != moved_.rend(); ++moved) {
        if (MoveFileA(moved->to.c_str(), moved->from.c_str())) continue;
        all = false;
        Front().ShowMessage("Unable to put " + moved->from + " back: it is kept as " + moved->to,
                            "Vornaly", MB_OK);
    }
    moved_.clear();
    return all;
}

void SetAside::Drop(const std::string& place) {
    QuietErrorMode quiet;
    for (auto moved = moved_.begin(); moved != moved_.end(); ++moved) {
        if (moved->to != place) continue;
        SetFileAttributesA(place.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(place.c_str()))
            Front().ShowMessage("Unable to remove " + place, "Vornaly", MB_OK);
        moved_.erase(moved);
        return;
    }
}

std::vector<std::string> SetAside::Places() const {
    std::vector<std::string> places;
    for (const Moved& moved : moved_) places.push_back(moved.to);
    return places;
}
