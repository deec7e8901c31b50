#include "file_copy.h"

#include <vector>

#include "binary_file.h"
#include "file_attributes.h"
#include "file_errors.h"
#include "file_identities.h"
#include "file_operations.h"
#include "folder_search.h"
#include "free_space.h"
#include "quiet_errors.h"
#include "working_values.h"

FileTimes SavedArchiveTimes;

namespace {

constexpr uint32_t CopyBlock = 32256;
constexpr uint32_t CarriedAttributes =
    AttributeReadOnly | AttributeHidden | AttributeSystem | AttributeArchive;

}  // namespace

bool PathExists(const std::string& path) {
    bool found = false;
    SearchFolder(path, [&found](const FoundEntry& entry) {
        found = !(entry.attributes & (AttributeHidden | AttributeSystem));
        return !found;
    });
    return found;
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
        FoundEntry old;
        if (replacing && FindEntry(destination, old)) room += old.length;
        if (length > room) return false;
        if (replacing && !RemoveFile(destination)) return false;

        try {
            BinaryFile to = BinaryFile::OpenForUpdate(destination);
            std::vector<char> block(CopyBlock);
            for (;;) {
                const uint32_t got = from.Read(block.data(), CopyBlock);
                to.Write(block.data(), got);
                if (got < CopyBlock) break;
            }
            // A hidden or system file was not deleted above and may be longer.
            to.EndHere();
            FileTimes times;
            from.ReadTimes(times);
            to.SetTimes(times);
            to.Close();
        } catch (const FileError&) {
            RemoveFile(destination);
            return false;
        }
        uint32_t attributes = 0;
        if (ReadFileAttributes(source, attributes))
            WriteFileAttributes(destination, attributes & CarriedAttributes);
        return true;
    } catch (const FileError&) {
        return false;
    }
}

void CaptureArchiveTimes() {
    SavedArchiveTimes = FileTimes{};
    BinaryFile archive = BinaryFile::OpenForReading(ArchivePath);
    FileTimes times;
    if (!archive.ReadTimes(times)) ThrowLastFileError();
    archive.Close();
    SavedArchiveTimes = times;
}

void StampPackageTimes(const std::string& path) {
    try {
        BinaryFile package = BinaryFile::OpenExistingForUpdate(path);
        package.SetTimes(SavedArchiveTimes);
    } catch (const FileError&) {
    }
}
