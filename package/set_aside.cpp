#include "set_aside.h"

#include "create_front.h"
#include "file_attributes.h"
#include "file_operations.h"
#include "folder_search.h"
#include "path_helpers.h"
#include "quiet_errors.h"

namespace {

// The path with its last name as the folder holds it: a file asked for as
// README.TXT may be called ReadMe.txt, and comes back so.
std::string AsStored(const std::string& path) {
    std::string stored = path;
    SearchFolder(path, [&](const FoundEntry& found) {
        stored = FolderPart(path) + found.name;
        return false;
    });
    return stored;
}

}  // namespace

bool SetAside::Move(const std::string& path, const std::string& to) {
    QuietErrorMode quiet;
    const std::string place = to.empty() ? FreeNameBeside(path) : to;
    const std::string from = AsStored(path);
    if (place.empty() || !MoveFileTo(from, place)) return false;
    moved_.push_back({from, place});
    return true;
}

bool SetAside::PutBack() {
    QuietErrorMode quiet;
    bool all = true;
    for (auto moved = moved_.rbegin(); moved != moved_.rend(); ++moved) {
        if (MoveFileTo(moved->to, moved->from)) continue;
        all = false;
        Front().ShowMessage("Unable to put " + moved->from + " back: it is kept as " + moved->to,
                            "Vornaly", MessageOk);
    }
    moved_.clear();
    return all;
}

void SetAside::Drop(const std::string& place) {
    QuietErrorMode quiet;
    for (auto moved = moved_.begin(); moved != moved_.end(); ++moved) {
        if (moved->to != place) continue;
        WriteFileAttributes(place, AttributeNormal);
        if (!RemoveFile(place))
            Front().ShowMessage("Unable to remove " + place, "Vornaly", MessageOk);
        moved_.erase(moved);
        return;
    }
}

std::vector<std::string> SetAside::Places() const {
    std::vector<std::string> places;
    for (const Moved& moved : moved_) places.push_back(moved.to);
    return places;
}
