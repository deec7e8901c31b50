#include "file_search.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "device_names.h"
#include "failures.h"
#include "file_calls.h"
#include "name_order.h"
#include "win_handles.h"

namespace mvwrap {

namespace {

// A name the system could not show whole, as it shows it, with the short
// name by which it can still be told apart and renamed.
std::wstring Shown(const std::wstring& folder, const WIN32_FIND_DATAW& data) {
    std::wstring shown = folder + data.cFileName;
    if (data.cAlternateFileName[0]) shown += std::wstring(L" (") + data.cAlternateFileName + L")";
    return shown;
}

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
            folder.path += L"\\";
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

    bool Wanted(const WIN32_FIND_DATAW& data) const {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") return false;
        DWORD attributes = data.dwFileAttributes;
        if ((attributes & FILE_ATTRIBUTE_HIDDEN) && !options_.hidden) return false;
        if ((attributes & FILE_ATTRIBUTE_SYSTEM) && !options_.system) return false;
        return !((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                 (attributes & FILE_ATTRIBUTE_REPARSE_POINT));
    }

    // The wanted files and folders of one folder (into null, those not
    // asked for), in the order the system lists them.
    int32_t List(const std::wstring& path, const std::wstring& name, const std::wstring& pattern,
                 std::vector<FoundFile>* files, std::vector<FoundFile>* folders) const {
        WIN32_FIND_DATAW data;
        FindHandle search(FindFirst(path + pattern, data));
        if (!search.valid()) {
            DWORD code = GetLastError();
            if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return MVWRAP_OK;
            return Fail(MVWRAP_FILE_UNREADABLE, path);
        }
        // A file that cannot be named is met before a folder that cannot,
        // wherever the listing has them, as when the files are listed first.
        std::wstring unnamedFolder;
        do {
            const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            std::vector<FoundFile>* into = folder ? folders : files;
            if (!into || !Wanted(data)) continue;
            if (NameIncomplete(data)) {
                if (!folder) return Fail(MVWRAP_FILE_UNREADABLE, Shown(path, data));
                if (unnamedFolder.empty()) unnamedFolder = Shown(path, data);
                continue;
            }
            into->push_back({path + data.cFileName, name + data.cFileName, data.dwFileAttributes,
                             data.ftLastWriteTime, data.ftCreationTime,
                             uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow});
        } while (FindNext(search.get(), data));
        if (GetLastError() != ERROR_NO_MORE_FILES) return Fail(MVWRAP_FILE_UNREADABLE, path);
        if (!unnamedFolder.empty()) return Fail(MVWRAP_FILE_UNREADABLE, unnamedFolder);
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
    DWORD attributes = PathAttributes(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(MVWRAP_FOLDER_MISSING, folder.substr(0, folder.size() - 1));
    return Search(files, depth, options, found).Folder(folder, L"", 0);
}

}  // namespace mvwrap
