// The search's order and refusals are the component's own; what a folder
// lists is the system's (folder_listing.h).
#include "file_search.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "device_names.h"
#include "failures.h"
#include "folder_listing.h"
#include "name_order.h"
#include "path_separator.h"

namespace mvwrap {

namespace {

// Whether a file pattern matches every name, as "*.*" does on every
// version: even names without a dot.
bool EveryName(const std::wstring& pattern) { return pattern == L"*" || pattern == L"*.*"; }

// Each name folded once rather than at every comparison: a folder of
// thousands of help pages is sorted in a moment. Gives the folded names in
// the new order.
std::vector<std::wstring> SortByName(std::vector<FoundFile>& entries) {
    std::vector<std::pair<std::wstring, size_t>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(FoldCase(entries[i].name), i);
    std::sort(keys.begin(), keys.end(), [&entries](const auto& a, const auto& b) {
        return FoldedNameBefore(a.first, entries[a.second].name, b.first, entries[b.second].name);
    });
    std::vector<FoundFile> sorted;
    std::vector<std::wstring> folded;
    sorted.reserve(entries.size());
    folded.reserve(entries.size());
    for (auto& key : keys) {
        sorted.push_back(std::move(entries[key.second]));
        folded.push_back(std::move(key.first));
    }
    entries.swap(sorted);
    return folded;
}

int32_t Clash(const FoundFile& a, const FoundFile& b) {
    return Fail(MVWRAP_NAME_CLASH, L"\"" + a.path + L"\" and \"" + b.path + L"\"");
}

// Sorts one folder's files and subfolders by name. Two of them whose names
// differ only in case (a case-sensitive file system holds both) are
// refused: Windows cannot hold both, and one would be lost.
int32_t SortRefusingClashes(std::vector<FoundFile>& files, std::vector<FoundFile>& folders) {
    const std::vector<std::wstring> fileNames = SortByName(files);
    const std::vector<std::wstring> folderNames = SortByName(folders);
    for (size_t i = 1; i < fileNames.size(); ++i)
        if (fileNames[i] == fileNames[i - 1]) return Clash(files[i - 1], files[i]);
    for (size_t i = 1; i < folderNames.size(); ++i)
        if (folderNames[i] == folderNames[i - 1]) return Clash(folders[i - 1], folders[i]);
    for (size_t i = 0, j = 0; i < fileNames.size() && j < folderNames.size();) {
        const int order = fileNames[i].compare(folderNames[j]);
        if (order == 0) return Clash(files[i], folders[j]);
        order < 0 ? ++i : ++j;
    }
    return MVWRAP_OK;
}

class Search {
public:
    Search(const std::wstring& files, int depth, const ZipOptions& options,
           const std::function<void(FoundFile&&)>& found)
        : files_(files), depth_(depth), options_(options), found_(found) {}

    int32_t Folder(const std::wstring& path, const std::wstring& name, int level) {
        const bool deeper = depth_ < 0 || level < depth_;
        std::vector<FoundFile> files, folders;
        // A pattern that takes every file needs no listing of its own: the
        // folders' listing has the files too, and each listing costs a look
        // at every entry.
        if (deeper && EveryName(files_)) {
            if (int32_t error = List(path, name, L"*", &files, &folders)) return error;
        } else {
            if (int32_t error = List(path, name, files_, &files, nullptr)) return error;
            if (deeper)
                if (int32_t error = List(path, name, L"*", nullptr, &folders)) return error;
        }
        if (int32_t error = SortRefusingClashes(files, folders)) return error;
        for (FoundFile& file : files) {
            if (IsDeviceName(file.path.c_str() + path.size()))
                return Fail(MVWRAP_DEVICE_NAME, file.path);
            Hand(std::move(file));
        }
        for (FoundFile& folder : folders) {
            if (IsDeviceName(folder.path.c_str() + path.size()))
                return Fail(MVWRAP_DEVICE_NAME, folder.path);
            size_t before = handed_;
            folder.path += kWidePathSeparator;
            folder.name += L"\\";
            if (int32_t error = Folder(folder.path, folder.name, level + 1)) return error;
            if (handed_ == before) Hand(std::move(folder));
        }
        return MVWRAP_OK;
    }

private:
    void Hand(FoundFile&& file) {
        ++handed_;
        found_(std::move(file));
    }

    bool Wanted(const ListedEntry& entry) const {
        const uint32_t attributes = entry.attributes;
        if ((attributes & kHiddenAttribute) && !options_.hidden) return false;
        if ((attributes & kSystemAttribute) && !options_.system) return false;
        return !((attributes & kFolderAttribute) && (attributes & kLinkAttribute));
    }

    // The wanted files and folders of one folder (into null, those not
    // asked for), in the order the system lists them.
    int32_t List(const std::wstring& path, const std::wstring& name, const std::wstring& pattern,
                 std::vector<FoundFile>* files, std::vector<FoundFile>* folders) const {
        std::vector<ListedEntry> entries;
        if (!ListFolder(path, pattern, entries)) return Fail(MVWRAP_FILE_UNREADABLE, path);
        // A file that cannot be named is met before a folder that cannot,
        // wherever the listing has them, as when the files are listed first.
        std::wstring refusedFolder;
        for (ListedEntry& entry : entries) {
            const bool folder = (entry.attributes & kFolderAttribute) != 0;
            std::vector<FoundFile>* into = folder ? folders : files;
            if (!into || !Wanted(entry)) continue;
            if (entry.refused) {
                if (!folder) return Fail(MVWRAP_FILE_UNREADABLE, path + entry.shown);
                if (refusedFolder.empty()) refusedFolder = path + entry.shown;
                continue;
            }
            into->push_back({path + entry.name, name + entry.name, entry.attributes, entry.written,
                             entry.created, entry.size});
        }
        if (!refusedFolder.empty()) return Fail(MVWRAP_FILE_UNREADABLE, refusedFolder);
        return MVWRAP_OK;
    }

    const std::wstring& files_;
    int depth_;
    const ZipOptions& options_;
    const std::function<void(FoundFile&&)>& found_;
    size_t handed_ = 0;
};

}  // namespace

int32_t FindFiles(const std::wstring& folder, const std::wstring& files, int depth,
                  const ZipOptions& options, const std::function<void(FoundFile&&)>& found) {
    if (!IsFolder(folder)) return Fail(MVWRAP_FOLDER_MISSING, folder.substr(0, folder.size() - 1));
    return Search(files, depth, options, found).Folder(folder, L"", 0);
}

}  // namespace mvwrap
