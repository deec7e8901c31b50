#include "file_copy.h"

#include <vector>

#include "binary_file.h"
#include "file_details.h"
#include "file_errors.h"
#include "win_handles.h"
#include "working_values.h"

FileTimes SavedArchiveTimes;

namespace {

constexpr uint32_t CopyBlock = 32256;
constexpr DWORD CarriedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                    FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

std::string CurrentFolder() {
    char current[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    return length < sizeof current ? std::string(current, length) : std::string();
}

uint32_t FreeBytesOfRoot(const std::string& root) {
    if (root.empty()) return 0;
    QuietErrorMode quiet;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return 0;
    const uint64_t bytes = uint64_t{bytesPerSector} * sectorsPerCluster * freeClusters;
    return bytes >= 0x80000000u ? 0x80000000u : static_cast<uint32_t>(bytes);
}

// Two names of one file: same volume and file index, whatever the spelling.
bool SameFile(const std::string& a, const std::string& b) {
    auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        FileHandle file(CreateFileA(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return file.valid() && GetFileInformationByHandle(file.get(), &info);
    };
    BY_HANDLE_FILE_INFORMATION ia, ib;
    if (!identity(a, ia) || !identity(b, ib)) return false;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

bool RemoveFile(const std::string& path) {
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool PathExists(const std::string& path) {
    QuietErrorMode quiet;
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(path.c_str(), &entry));
    if (!search.valid()) return false;
    do {
        if (!(entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            return true;
    } while (FindNextFileA(search.get(), &entry));
    return false;
}

std::string VolumeRoot(const std::string& path, const std::string& currentFolder) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
    if (path.rfind("\\\\", 0) == 0) {
        const std::string::size_type server = path.find('\\', 2);
        if (server == std::string::npos || server == 2) return "";
        const std::string::size_type share = path.find('\\', server + 1);
        if (share == server + 1) return "";
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return currentFolder.empty() ? "" : VolumeRoot(currentFolder, "");
}

uint32_t DriveFreeBytes(int16_t drive) {
    if (drive == 0) return FreeBytesOfRoot(VolumeRoot(CurrentFolder(), ""));
    return FreeBytesOfRoot({static_cast<char>(drive + 64), ':', '\\'});
}

uint32_t FreeBytesAt(const std::string& path) {
    return FreeBytesOfRoot(VolumeRoot(path, CurrentFolder()));
}

bool CopyFileKeepTimes(const std::string& destination, const std::string& source) {
    if (!PathExists(source) || destination == source) return false;
    const bool replacing = PathExists(destination);
    if (replacing && SameFile(destination, source)) return false;

    QuietErrorMode quiet;
    try {
        BinaryFile from = BinaryFile::OpenForReading(source);
        const uint64_t length = from.Length();
        // The old destination's room counts as free: it goes before the copy.
        uint64_t room = FreeBytesAt(destination);
        WIN32_FILE_ATTRIBUTE_DATA old;
        if (replacing && FindFileDetails(destination.c_str(), old))
            room += (uint64_t{old.nFileSizeHigh} << 32) | old.nFileSizeLow;
        if (length > room) return false;
        if (replacing && !DeleteFileA(destination.c_str())) return false;

        try {
            BinaryFile to = BinaryFile::OpenForUpdate(destination);
            std::vector<char> block(CopyBlock);
            for (;;) {
                const uint32_t got = from.Read(block.data(), CopyBlock);
                to.Write(block.data(), got);
                if (got < CopyBlock) break;
            }
            // A hidden or system file was not deleted above and may be longer.
            if (!SetEndOfFile(to.Handle())) ThrowLastFileError();
            FileTimes times;
            GetFileTime(from.Handle(), &times.creation, &times.lastAccess, &times.lastWrite);
            SetFileTime(to.Handle(), &times.creation, &times.lastAccess, &times.lastWrite);
            to.Close();
        } catch (const FileError&) {
            RemoveFile(destination);
            return false;
        }
        const DWORD attributes = GetFileAttributesA(source.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            SetFileAttributesA(destination.c_str(), attributes & CarriedAttributes);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void CaptureArchiveTimes() {
    SavedArchiveTimes = FileTimes{};
    BinaryFile archive = BinaryFile::OpenForReading(ArchivePath);
    FileTimes times;
    if (!GetFileTime(archive.Handle(), &times.creation, &times.lastAccess, &times.lastWrite))
        ThrowLastFileError();
    archive.Close();
    SavedArchiveTimes = times;
}

void StampPackageTimes(const std::string& path) {
    try {
        BinaryFile package = BinaryFile::OpenExistingForUpdate(path);
        const FileTimes& t = SavedArchiveTimes;
        SetFileTime(package.Handle(), &t.creation, &t.lastAccess, &t.lastWrite);
    } catch (const FileError&) {
    }
}
