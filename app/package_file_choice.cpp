#include "package_file_choice.h"

#include <commdlg.h>

#include <cstddef>

#include "file_filters.h"
#include "path_helpers.h"

namespace {

// The record's older size, without the members that later versions added
// at its end: 76 bytes in 32-bit programs.
constexpr DWORD OpenFileNameSize = offsetof(OPENFILENAMEA, pvReserved);
static_assert(sizeof(void*) != 4 || OpenFileNameSize == 76, "older record size");

constexpr std::string::size_type MaxDefaultExtension = 9;
constexpr DWORD NameBufferSize = 256;

FileDialogMemory Memory;

std::string CurrentDirectory() {
    char folder[MAX_PATH + 1] = "";
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length < sizeof folder ? std::string(folder, length) : std::string();
}

}  // namespace

bool RunOpenFileDialog(HWND owner, const std::string& title, std::string& fileName,
                       const std::string& initialFolder, const std::string& filterText,
                       uint16_t filterIndex, const std::string& defaultExtension, uint32_t& flags) {
    const std::string filter = DialogFilterText(filterText);
    const std::string folder = initialFolder.empty() ? CurrentDirectory() : initialFolder;
    const std::string extension = CutTo(defaultExtension, MaxDefaultExtension);
    char name[NameBufferSize] = "";
    fileName.copy(name, NameBufferSize - 1);
    char fileTitle[NameBufferSize] = "";

    OPENFILENAMEA record = {};
    record.lStructSize = OpenFileNameSize;
    record.hwndOwner = owner;
    record.lpstrFilter = filter.c_str();
    record.nFilterIndex = filterIndex;
    record.lpstrFile = name;
    record.nMaxFile = NameBufferSize;
    record.lpstrFileTitle = fileTitle;
    record.nMaxFileTitle = NameBufferSize;
    record.lpstrInitialDir = folder.c_str();
    record.lpstrTitle = title.empty() ? nullptr : title.c_str();
    record.Flags = flags;
    record.lpstrDefExt = extension.c_str();

    BOOL confirmed = GetOpenFileNameA(&record);
    flags = record.Flags;
    // A failing dialog may leave other things than a name in the buffer (the
    // size it would have needed), so only a confirmed name is handed back.
    fileName = confirmed ? std::string(name) : std::string();
    return confirmed != FALSE;
}

void ShowFileDialog(std::string& outputPath, const std::string& title,
                    const std::vector<std::string>& filterList, uint16_t filterIndex,
                    uint32_t flags) {
    const std::string folder = CurrentDirectory();
    PrepareFilters(Memory, filterList, filterIndex);
    std::string fileName;
    RunOpenFileDialog(nullptr, title, fileName, folder, Memory.filterText, filterIndex,
                      Memory.lastExtension, flags);
    outputPath = TakeChoice(Memory, fileName);
}

std::string ChoosePackageFile() {
    std::string path;
    ShowFileDialog(path, PackageFileTitle, {PackageFileFilter}, 1, PackageFileFlags);
    return path;
}
