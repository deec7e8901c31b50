// Telling the files a call never packs by what they are; the identities
// themselves are the system's (path_identity.h).
#include "never_packed.h"

#include <algorithm>

#include "archive_output.h"
#include "folder_listing.h"
#include "known_archive.h"
#include "name_order.h"
#include "path_separator.h"

namespace mvwrap {

namespace {

FolderKey KeyOf(const std::wstring& folder) {
    FolderKey key;
    key.known = PathIdentity(folder, key.identity);
    key.spelled = FullArchivePath(folder);
    if (!key.spelled.empty() && key.spelled.back() != kWidePathSeparator)
        key.spelled += kWidePathSeparator;
    return key;
}

}  // namespace

bool SameFolder(const FolderKey& a, const FolderKey& b) {
    return a.known && b.known ? a.identity == b.identity : a.spelled == b.spelled;
}

NeverPacked::NeverPacked(const std::wstring& archive, const std::vector<std::wstring>& leftOut) {
    for (const std::wstring& path : leftOut) Note(path);
    Note(archive);
    archiveFolder_ = KeyOf(ArchiveFolder(archive).empty() ? L"." : ArchiveFolder(archive));
}

// A path that names nothing now leaves nothing out.
void NeverPacked::Note(const std::wstring& path) {
    ListedEntry found;
    PathId identity;
    if (!LookUp(path, found) || !PathIdentity(path, identity)) return;
    files_.push_back(identity);
    names_.insert(FoldCase(found.name));
}

bool NeverPacked::InArchiveFolder(const std::wstring& folder) {
    if (folder != lastFolder_) {
        lastFolder_ = folder;
        lastFolderIsArchives_ = SameFolder(KeyOf(folder), archiveFolder_);
    }
    return lastFolderIsArchives_;
}

bool NeverPacked::Holds(const FoundFile& file) {
    if (file.IsFolder()) return false;
    const std::wstring::size_type leaf = file.path.find_last_of(kWidePathSeparator) + 1;
    const std::wstring name = file.path.substr(leaf);
    if (IsTemporaryName(name) && InArchiveFolder(file.path.substr(0, leaf))) return true;
    if (!names_.count(FoldCase(name))) return false;
    PathId identity;
    return PathIdentity(file.path, identity) &&
           std::find(files_.begin(), files_.end(), identity) != files_.end();
}

}  // namespace mvwrap
