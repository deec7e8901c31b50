// Vornaly.vnp, the inner stub. The outer stub writes the inner executable
// (this program followed by the masked archive) to a private folder and
// starts it with the installation record and its choices:
//   [/A] /R:record-in-hex /D:folder [/S] [/Q] [/X] [/P:password-in-hex]
//   [/L:log]
// /A: no window at all (wherever it stands); /S: the package came in pieces;
// /X: extract only;
// /L: the log to append to. It checks the password,
// extracts every entry (CRC checked, times and attributes kept) into the
// folder, runs the start program there and returns its exit code.
#include <windows.h>

#include <string.h>

#include "ansi_code_page.h"
#include "archive_check.h"
#include "archive_names.h"
#include "command_line.h"
#include "entry_data.h"
#include "install_record.h"
#include "dll_search.h"
#include "password_dialog.h"
#include "file_io.h"
#include "launch.h"
#include "platform.h"
#include "start_program.h"
#include "stub_messages.h"
#include "target_folder.h"
#include "stub_paths.h"
#include "takeback.h"
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

// False when an argument is not one of the above or the record or the folder
// is missing. Read to the end all the same: /A and the log count wherever
// they stand, so that even this error shows no window under /A.
bool ParseInnerOptions(const char* arguments, InnerOptions& options) {
    char argument[kArgumentRoom];
    bool haveRecord = false, haveFolder = false, allKnown = true, tooLong = false;
    while (NextArgument(arguments, argument, sizeof argument, &tooLong)) {
        bool known = !tooLong && argument[0] == '/' && argument[1];
        const char* value = argument[2] == ':' ? argument + 3 : argument + 2;
        switch (known ? argument[1] : 0) {
        case 'R': haveRecord = FromHex(value, options.record, RecordLength); break;
        case 'D':
            haveFolder = strlen(value) > 0 && strlen(value) < sizeof options.folder;
            if (haveFolder) strcpy(options.folder, value);
            break;
        case 'P': {
            size_t length = strlen(value) / 2;
            known = length < sizeof options.password && FromHex(value, options.password, length);
            options.password[known ? length : 0] = 0;
            options.passwordGiven = known;
            break;
        }
        case 'L':
            known = options.logGiven = strlen(value) > 0 && strlen(value) < sizeof options.log;
            if (known) strcpy(options.log, value);
            break;
        case 'S': options.spanned = true; break;
        case 'A': options.quietAll = true; break;
        case 'Q': options.quiet = true; break;
        case 'X': options.extractOnly = true; break;
        default: known = false; break;
        }
        allKnown = allKnown && known;
    }
    return allKnown && haveRecord && haveFolder;
}

// Asks until the password is right. 0 when it is; otherwise the exit code:
// cancelled by the user, or failed when run quietly without the right one.
int CheckPassword(const InnerOptions& options, const ZipDirectory& directory,
                  const RecordedStart& start) {
    int count = int(directory.Count());
    if (!RecordHasPassword(options.record, start.names, count, start.index, options.spanned))
        return 0;
    if (options.passwordGiven) {
        if (RightPassword(options.record, directory, start, options.spanned, options.password))
            return 0;
        ShowError("The password given with /P: is not right. Nothing was installed.");
        return kExitFailed;
    }
    if (options.quiet || options.quietAll) {
        ShowError(
            "This package is protected by a password: give it with /P:password. Nothing was "
            "installed.");
        return kExitFailed;
    }
    char typed[kArgumentRoom];
    while (AskPassword(typed, sizeof typed)) {
        if (RightPassword(options.record, directory, start, options.spanned, typed)) return 0;
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

// Writes one entry below the folder, each change noted for taking back;
// false with the reason in why (one sentence) when it cannot.
bool ExtractEntry(ByteSource& archive, const ZipEntry& entry, const char* folder,
                  Takeback& takeback, char* why) {
    char path[MAX_PATH];
    if (!JoinPath(folder, entry.name, path)) {
        wsprintfA(why, "The path of %s in %s is too long.", entry.name, folder);
        return false;
    }
    // A name that ends in the second byte "\" of a character is a file's.
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    size_t length = strlen(path);
    if (text::EndsWith(path, '\\', lead)) {
        path[length - 1] = 0;
        if (takeback.MakeFolders(path)) return true;
        wsprintfA(why, "The folder %s could not be made.", path);
        return false;
    }
    char* last = path + (text::LastCharacter(path, '\\', lead) - path);
    *last = 0;
    bool folderMade = takeback.MakeFolders(path);
    *last = '\\';
    if (!folderMade) {
        wsprintfA(why, "The folder for %s could not be made.", path);
        return false;
    }
    char temporary[MAX_PATH];
    FileHandle file = takeback.NewFile(path, temporary);
    if (!file.valid()) {
        if (GetLastError() == ERROR_FILENAME_EXCED_RANGE)
            wsprintfA(why, "The path of %s in %s is too long.", entry.name, folder);
        else
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
        if (!takeback.Place(temporary, path)) {
            wsprintfA(why, "%s could not be written (error %lu).", path, GetLastError());
            return false;
        }
        SetFileAttributesA(path, EntryAttributes(entry));
        return true;
    }
    file.reset();
    DeleteFileA(temporary);
    if (result != UnpackResult::kWriteFailed)
        DescribeUnpackFault(result, entry.name, why);
    else if (IsDiskFull(sink.Error()))
        wsprintfA(why, "The disk is full: %s could not be written.", path);
    else
        wsprintfA(why, "%s could not be written (error %lu).", path, sink.Error());
    return false;
}

// The log lists the files an extraction wrote once they stay: none that a
// failure then took back or removed.
void LogExtracted(const ZipDirectory& directory, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        LogLine("Extracted %s (%lu bytes)", directory[i].name, directory[i].size);
}

int RunInner(const char* arguments) {
    InnerOptions options;
    bool parsed = ParseInnerOptions(arguments, options);
    if (options.quietAll) NoSystemErrorBoxes();
    SetReporting(options.quietAll, options.logGiven ? options.log : nullptr);
    if (!parsed) {
        ShowError("This program is a part of an installation package; run the package instead.");
        return kExitFailed;
    }
    char self[MAX_PATH];
    DWORD selfLength = GetModuleFileNameA(nullptr, self, sizeof self);
    if (selfLength == 0 || selfLength >= sizeof self) {
        ShowError("The path of the installation's temporary folder is too long.");
        return kExitFailed;
    }
    FileSource whole(self);
    MaskedArchive archive(whole, InnerStubLength);
    ZipDirectory directory;
    if (!whole.Open() || !archive.Marked() || !directory.Read(archive)) {
        ShowError("%s", kFilesUnreadable);
        return kExitFailed;
    }
    char why[kWhyRoom];
    CodePageNames recordNames;
    RecordedStart start;
    if (!CheckArchiveNames(directory, options.record, options.spanned, options.extractOnly,
                           recordNames, start, why)) {
        ShowError("%s Nothing was installed.", why);
        return kExitFailed;
    }
    if (int refused = CheckPassword(options, directory, start)) return refused;

    bool keep = options.extractOnly || start.index < 0;
    if (options.extractOnly)
        if (int refused = RefuseUnwritableFolder(options.folder, options.quietAll)) return refused;
    // What an earlier package could not remove goes once the restart has
    // removed the files in it.
    RemoveFoldersLeftBefore();
    Takeback takeback;
    if (!takeback.MakeFolders(options.folder)) {
        takeback.TakeBack();
        ShowError("The folder %s could not be made.", options.folder);
        return kExitFailed;
    }
    uint32_t written = 0;
    while (written < directory.Count() &&
           ExtractEntry(archive, directory[written], options.folder, takeback, why))
        ++written;
    if (written < directory.Count()) {
        if (keep && options.quietAll) {
            takeback.TakeBack();
            ShowError("%s Nothing was extracted.", why);
        } else if (keep) {
            takeback.Keep();
            LogExtracted(directory, written);
            ShowError("%s The files extracted before stay in %s.", why, options.folder);
        } else {
            takeback.Keep();
            RemoveTree(options.folder);
            ShowError("%s Nothing was installed.", why);
        }
        return kExitFailed;
    }
    LogExtracted(directory, written);
    takeback.Keep();
    if (keep) {
        ShowNote(options.quiet, "The files were extracted to %s.", options.folder);
        return 0;
    }
    bool filesInUse = false;
    int code = RunStartProgram(options.folder, directory[uint32_t(start.index)].name,
                               options.quietAll, SystemLaunchCalls(), filesInUse);
    RemoveTree(options.folder, filesInUse);
    return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    return RunInner(SkipProgramName(GetCommandLineA()));
}
