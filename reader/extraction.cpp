#include "extraction.h"

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "ansi_code_page.h"
#include "archive_check.h"
#include "archive_names.h"
#include "code_pages.h"
#include "entry_data.h"
#include "extraction_changes.h"
#include "stub_messages.h"
#include "unix/dos_attributes.h"
#include "utf8.h"

namespace {

// Bytes written to a descriptor, with the failure's number kept.
class DescriptorSink : public stub::ByteSink {
public:
    explicit DescriptorSink(int file) : file_(file) {}
    bool Write(const void* bytes, uint32_t length) override {
        const char* at = static_cast<const char*>(bytes);
        while (length > 0) {
            ssize_t written = write(file_, at, length);
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) {
                error_ = written < 0 ? errno : ENOSPC;
                return false;
            }
            at += written;
            length -= uint32_t(written);
        }
        return true;
    }
    int Error() const { return error_; }

private:
    int file_;
    int error_ = 0;
};

const int64_t kTicksPerSecond = 10000000;
const int64_t kUnixEpochTicks = 116444736000000000;  // 1970 in ticks since 1601

timespec FromTicks(uint64_t ticks) {
    int64_t since = int64_t(ticks) - kUnixEpochTicks;
    int64_t seconds = since / kTicksPerSecond, rest = since % kTicksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kTicksPerSecond;
    }
    return {time_t(seconds), long(rest * 100)};
}

// The recorded times; a DOS time is local time, turned into UTC with the
// offset in force now, as Windows turns it.
void EntryTimes(const stub::ZipEntry& entry, timespec times[2]) {
    if (entry.hasNtfsTimes) {
        times[0] = FromTicks(entry.accessed);
        times[1] = FromTicks(entry.written);
        return;
    }
    tm local = {};
    local.tm_year = 80 + (entry.dosDate >> 9);
    local.tm_mon = ((entry.dosDate >> 5) & 15) - 1;
    local.tm_mday = entry.dosDate & 31;
    local.tm_hour = entry.dosTime >> 11;
    local.tm_min = (entry.dosTime >> 5) & 63;
    local.tm_sec = (entry.dosTime & 31) * 2;
    time_t now = time(nullptr);
    tm here;
    localtime_r(&now, &here);
    times[0].tv_sec = times[1].tv_sec = timegm(&local) - here.tm_gmtoff;
    times[0].tv_nsec = times[1].tv_nsec = 0;
}

// Hidden and system are kept where Wine keeps them (read-only is the
// file's mode).
void SetAttributes(const stub::ZipEntry& entry, const std::string& path) {
    if (unsigned kept = DosAttributes(entry) & 0x06) StoreDosAttributes(path.c_str(), kept);
}

mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Wine makes programs executable for whoever may read them, and read-only
// files writable by no one.
mode_t ModeOf(const stub::ZipEntry& entry, const std::string& name, mode_t mode) {
    std::string end = name.size() >= 4 ? name.substr(name.size() - 4) : "";
    for (char& c : end) c = char(tolower(uint8_t(c)));
    if (end == ".exe" || end == ".com") mode |= (mode & 0444) >> 2;
    return DosAttributes(entry) & 0x01 ? mode & ~mode_t(0222) : mode;
}

bool ExtractEntry(stub::ByteSource& archive, const stub::ZipEntry& entry, const std::string& folder,
                  mode_t newFileMode, ExtractionChanges& changes) {
    std::string name = LinuxName(entry.name), path = folder + "/" + name;
    const mode_t mode = ModeOf(entry, name, newFileMode);
    if (name.back() == '/') {
        path.pop_back();
        if (changes.MakeFolders(path)) return true;
        stub::ShowError("The folder %s could not be made (%s).", path.c_str(), strerror(errno));
        return false;
    }
    std::string parent = path.substr(0, path.rfind('/'));
    if (!changes.MakeFolders(parent)) {
        stub::ShowError("The folder for %s could not be made (%s).", path.c_str(), strerror(errno));
        return false;
    }
    std::string temporary = parent + "/.vnpunpack-XXXXXX";
    int file = mkstemp(&temporary[0]);
    if (file < 0) {
        stub::ShowError("%s could not be written (%s).", path.c_str(), strerror(errno));
        return false;
    }
    DescriptorSink sink(file);
    stub::UnpackResult result = stub::UnpackEntry(archive, entry, sink);
    timespec times[2];
    EntryTimes(entry, times);
    bool whole =
        result == stub::UnpackResult::kOk && fchmod(file, mode) == 0 && futimens(file, times) == 0;
    int error = errno;
    bool closed = close(file) == 0;
    if (whole && !closed) error = errno;
    bool placed = whole && closed && changes.Place(temporary, path);
    if (whole && closed && !placed) error = errno;
    if (placed) {
        SetAttributes(entry, path);
        return true;
    }
    unlink(temporary.c_str());
    char why[stub::kWhyRoom];
    if (result == stub::UnpackResult::kOk) {
        stub::ShowError("%s could not be written (%s).", path.c_str(), strerror(error));
    } else if (result != stub::UnpackResult::kWriteFailed) {
        stub::DescribeUnpackFault(result, entry.name, why);
        stub::ShowError("%s", why);
    } else if (sink.Error() == ENOSPC) {
        stub::ShowError("The disk is full: %s could not be written.", path.c_str());
    } else {
        stub::ShowError("%s could not be written (%s).", path.c_str(), strerror(sink.Error()));
    }
    return false;
}

}  // namespace

bool PasswordInCodePage(const std::string& typed, std::string& ansi) {
    uint16_t wide[2 * stub::kPathRoom];
    char bytes[4 * stub::kPathRoom];
    if (!text::Utf8ToUtf16(typed.c_str(), wide, 2 * stub::kPathRoom) ||
        !stub::HeldAs(text::AnsiCodePage(), wide, bytes, sizeof bytes))
        return false;
    ansi = bytes;
    return true;
}

int ExtractPackage(OpenedPackage& package, const std::string& folder) {
    ExtractionChanges changes;
    if (!changes.MakeFolders(folder)) {
        stub::ShowError("The folder %s could not be made (%s).", folder.c_str(), strerror(errno));
        changes.TakeBack();
        return 1;
    }
    const mode_t mode = NewFileMode();
    const stub::ZipDirectory& directory = package.Directory();
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        if (!ExtractEntry(package.Archive(), directory[i], folder, mode, changes)) {
            changes.TakeBack();
            return 1;
        }
    }
    changes.Keep();
    return 0;
}
