// The POSIX answers to file_system.h. Names are UTF-8 on the system's side.
// They are upper-cased one UTF-16 unit at a time by the C library's Unicode
// tables, whatever the locale the program runs in, and as Wine upper-cases
// them for the Windows build, whose name order the native one keeps: only a
// character whose capital lower-cases back to it (the micro sign is no Greek
// capital, the dotless i no Latin I).
#include "file_system.h"

#include <errno.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include "text_codes.h"

namespace mvwrap {

SystemError LastError() { return static_cast<SystemError>(errno); }

bool IsMissingError(SystemError code) { return code == ENOENT; }
bool IsExistsError(SystemError code) { return code == EEXIST; }
// No share modes: a file another program has open is read all the same.
bool IsLockedError(SystemError) { return false; }
bool IsDiskFullError(SystemError code) { return code == ENOSPC || code == EDQUOT; }

void CloseFile(NativeFile file) { close(file); }

bool OpenToRead(const std::wstring& path, File& file) {
    file.reset(open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
    return file.valid();
}

bool ReadNext(NativeFile file, void* data, size_t size, size_t& count) {
    ssize_t read;
    do {
        read = ::read(file, data, size);
    } while (read < 0 && errno == EINTR);
    count = read < 0 ? 0 : static_cast<size_t>(read);
    return read >= 0;
}

bool FileLength(NativeFile file, uint64_t& length) {
    struct stat status;
    if (fstat(file, &status) != 0) return false;
    length = static_cast<uint64_t>(status.st_size);
    return true;
}

bool ReadAt(NativeFile file, uint64_t at, void* data, size_t size) {
    char* to = static_cast<char*>(data);
    while (size > 0) {
        ssize_t count = pread(file, to, size, static_cast<off_t>(at));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        to += count;
        at += static_cast<uint64_t>(count);
        size -= static_cast<size_t>(count);
    }
    return true;
}

std::wstring UpperCaseName(std::wstring name) {
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    for (wchar_t& c : name) {
        const wint_t upper = towupper_l(static_cast<wint_t>(c), unicode);
        if (towlower_l(upper, unicode) == static_cast<wint_t>(c)) c = static_cast<wchar_t>(upper);
    }
    return name;
}

}  // namespace mvwrap
