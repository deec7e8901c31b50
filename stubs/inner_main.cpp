// Vornaly.vnp, the inner stub. The outer stub writes the inner executable
// (this program followed by the masked archive) to a private folder and
// starts it with the installation record and its choices:
//   /R:record-in-hex /D:folder [/S] [/Q] [/A] [/X] [/P:password-in-hex]
//   [/L:log]
// /S: the package came in pieces; /A: no window at all; /X: extract only;
// /L: the log to append to. It checks the password,
// extracts every entry (CRC checked, times and attributes kept) into the
// folder, runs the start program there and returns its exit code.
#include <windows.h>

#include <string.h>

#include "archive_names.h"
#include "command_line.h"
#include "entry_data.h"
#include "install_record.h"
#include "dll_search.h"
#include "password_dialog.h"
#include "file_io.h"
#include "launch.h"
#include "stub_messages.h"
#include "target_folder.h"
#include "zip_directory.h"

using namespace stub;

namespace {

struct InnerOptions {
    char record[RecordLength];
    char folder[MAX_PATH];
    char password[kArgumentRoom];
    char log[MAX_PATH];
    bool passwordGiven = false;
    bool logGiven = false;
    bool spanned = false;
    bool quiet = false;
    bool quietAll = false;
    bool extractOnly = false;
};

bool ParseInnerOptions(const char* arguments, InnerOptions& options) {
    char argument[kArgumentRoom];
    bool haveRecord = false, haveFolder = false;
    while (NextArgument(arguments, argument, sizeof argument)) {
        if (argument[0] != '/' || !argument[1]) return false;
        const char* value = argument[2] == ':' ? argument + 3 : argument + 2;
        switch (argument[1]) {
        case 'R': haveRecord = FromHex(value, options.record, RecordLength); break;
        case 'D':
            haveFolder = strlen(value) > 0 && strlen(value) < sizeof options.folder;
            if (haveFolder) strcpy(options.folder, value);
            break;
        case 'P': {
            size_t length = strlen(value) / 2;
            if (length >= sizeof options.password || !FromHex(value, options.password, length))
                return false;
            options.password[length] = 0;
            options.passwordGiven = true;
            break;
        }
        case 'L':
            options.logGiven = strlen(value) > 0 && strlen(value) < sizeof options.log;
            if (!options.logGiven) return false;
            strcpy(options.log, value);
            break;
        case 'S': options.spanned = true; break;
        case 'A': options.quietAll = true; break;
        case 'Q': options.quiet = true; break;
        case 'X': options.extractOnly = true; break;
        default: return false;
        }
    }
    return haveRecord && haveFolder;
}

// Asks until the password is right. 0 when it is; otherwise the exit code:
// cancelled by the user, or failed when run quietly without the right one.
int CheckPassword(const InnerOptions& options, const ZipDirectory& directory, int start) {
    const char* const* names = directory.Names();
    int count = int(directory.Count());
    if (!RecordHasPassword(options.record, names, count, start, options.spanned)) return 0;
    if (options.passwordGiven) {
        if (PasswordMatches(options.record, options.password, names, count, start, options.spanned))
            return 0;
        ShowError("The password given with /P: is not right. Nothing was installed.");
        return kExitFailed;
    }
    if (options.quiet) {
        ShowError(
            "This package is protected by a password: give it with /P:password. Nothing was "
            "installed.");
        return kExitFailed;
    }
    char typed[kArgumentRoom];
    while (AskPassword(typed, sizeof typed)) {
        if (PasswordMatches(options.record, typed, names, count, start, options.spanned)) return 0;
        MessageBoxA(nullptr, "The password is not right. Please type it again.", "Vornaly",
                    MB_OK | MB_ICONEXCLAMATION);
    }
    return kExitCancelled;
}

void EntryTimes(const ZipEntry& entry, FILETIME& written, FILETIME& accessed, FILETIME& created) {
    if (entry.hasNtfsTimes) {
        written.dwLowDateTime = DWORD(entry.written);
        written.dwHighDateTime = DWORD(entry.written >> 32);
        accessed.dwLowDateTime = DWORD(entry.accessed);
        accessed.dwHighDateTime = DWORD(entry.accessed >> 32);
        created.dwLowDateTime = DWORD(entry.created);
        created.dwHighDateTime = DWORD(entry.created >> 32);
        return;
    }
    FILETIME local = {};
    DosDateTimeToFileTime(entry.dosDate, entry.dosTime, &local);
    LocalFileTimeToFileTime(&local, &written);
    accessed = created = written;
}

// The attributes a DOS or Windows packer recorded; others leave them plain.
DWORD EntryAttributes(const ZipEntry& entry) {
    const uint8_t kFat = 0, kNtfs = 11, kVfat = 14;
    if (entry.madeByHost != kFat && entry.madeByHost != kNtfs && entry.madeByHost != kVfat)
        return FILE_ATTRIBUTE_NORMAL;
    DWORD kept = entry.externalAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    return kept ? kept : FILE_ATTRIBUTE_NORMAL;
}

bool JoinPath(const char* folder, const char* name, char* path) {
    size_t folderLength = strlen(folder), nameLength = strlen(name);
    bool separator = folderLength > 0 && folder[folderLength - 1] != '\\';
    if (folderLength + separator + nameLength >= MAX_PATH) return false;
    memcpy(path, folder, folderLength);
    if (separator) path[folderLength++] = '\\';
    memcpy(path + folderLength, name, nameLength + 1);
    return true;
}

// Writes one entry below the folder; false with the reason in why (one
// sentence) when it cannot.
const int kWhyRoom = 1024;  // what wsprintfA writes at most

bool ExtractEntry(ByteSource& archive, const ZipEntry& entry, const char* folder, char* why) {
    char path[MAX_PATH];
    if (!JoinPath(folder, entry.name, path)) {
        wsprintfA(why, "The path of %s in %s is too long.", entry.name, folder);
        return false;
    }
    size_t length = strlen(path);
    if (path[length - 1] == '\\') {
        path[length - 1] = 0;
        if (MakeFolders(path)) return true;
        wsprintfA(why, "The folder %s could not be made.", path);
        return false;
    }
    char* last = strrchr(path, '\\');
    *last = 0;
    bool folderMade = MakeFolders(path);
    *last = '\\';
    if (!folderMade) {
        wsprintfA(why, "The folder for %s could not be made.", path);
        return false;
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        wsprintfA(why, "%s could not be written (error %lu).", path, GetLastError());
        return false;
    }
    FileSink sink(file.get());
    UnpackResult result = UnpackEntry(archive, entry, sink);
    if (result == UnpackResult::kOk) {
        FILETIME written, accessed, created;
        EntryTimes(entry, written, accessed, created);
        SetFileTime(file.get(), &created, &accessed, &written);
        file.reset();
        SetFileAttributesA(path, EntryAttributes(entry));
        return true;
    }
    file.reset();
    DeleteFileA(path);
    if (result != UnpackResult::kWriteFailed)
        DescribeUnpackFault(result, entry.name, why);
    else if (IsDiskFull(sink.Error()))
        wsprintfA(why, "The disk is full: %s could not be written.", path);
    else
        wsprintfA(why, "%s could not be written (error %lu).", path, sink.Error());
    return false;
}

// Takes back the entries before the one that failed, when no half
// extraction may be left (/Q:A): their files, then each folder that is
// empty after that, deepest first. A folder that held other files before
// is not empty and stays, as those files do; so does the extraction folder
// when it was there before.
void UndoExtraction(const ZipDirectory& directory, uint32_t done, const char* folder,
                    bool madeFolder) {
    for (uint32_t i = done; i-- > 0;) {
        char path[MAX_PATH];
        if (!JoinPath(folder, directory[i].name, path)) continue;
        size_t length = strlen(path);
        if (path[length - 1] != '\\') {
            SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path);
        }
        // The folders above the entry, up to the extraction folder itself.
        for (char* cut = strrchr(path, '\\'); cut && size_t(cut - path) > strlen(folder);
             cut = strrchr(path, '\\')) {
            *cut = 0;
            RemoveDirectoryA(path);
        }
    }
    if (madeFolder) RemoveDirectoryA(folder);
}

int RunInner(const char* arguments) {
    InnerOptions options;
    if (!ParseInnerOptions(arguments, options)) {
        ShowError("This program is a part of an installation package; run the package instead.");
        return kExitFailed;
    }
    SetReporting(options.quietAll, options.logGiven ? options.log : nullptr);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    FileSource whole(self);
    MaskedArchive archive(whole, InnerStubLength);
    ZipDirectory directory;
    if (!whole.Open() || !archive.Marked() || !directory.Read(archive) || !NamesToAnsi(directory)) {
        ShowError("The installation package is damaged: its files cannot be read.");
        return kExitFailed;
    }
    int unsafe = FirstUnsafeEntry(directory);
    if (unsafe >= 0) {
        ShowError(
            "The package holds a file that would be written outside its folder (%s). Nothing was "
            "installed.",
            directory[uint32_t(unsafe)].name);
        return kExitFailed;
    }
    int start = FindStartProgram(options.record, directory.Names(), int(directory.Count()),
                                 options.spanned);
    if (int refused = CheckPassword(options, directory, start)) return refused;

    bool keep = options.extractOnly || start < 0;
    if (options.extractOnly)
        if (int refused = RefuseUnwritableFolder(options.folder, options.quietAll)) return refused;
    bool madeFolder = GetFileAttributesA(options.folder) == INVALID_FILE_ATTRIBUTES;
    if (!MakeFolders(options.folder)) {
        ShowError("The folder %s could not be made.", options.folder);
        return kExitFailed;
    }
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        char why[kWhyRoom];
        if (ExtractEntry(archive, directory[i], options.folder, why)) {
            LogLine("Extracted %s (%lu bytes)", directory[i].name, directory[i].size);
            continue;
        }
        if (keep && options.quietAll) {
            UndoExtraction(directory, i, options.folder, madeFolder);
            ShowError("%s Nothing was extracted.", why);
        } else if (keep) {
            ShowError("%s The files extracted before stay in %s.", why, options.folder);
        } else {
            RemoveTree(options.folder);
            ShowError("%s Nothing was installed.", why);
        }
        return kExitFailed;
    }
    if (keep) {
        ShowNote(options.quiet, "The files were extracted to %s.", options.folder);
        return 0;
    }
    int code = RunStartProgram(options.folder, directory[uint32_t(start)].name, options.quietAll,
                               SystemLaunchCalls());
    RemoveTree(options.folder);
    return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    return RunInner(SkipProgramName(GetCommandLineA()));
}
