#include "archive_check.h"

#include <string.h>

#include "ansi_code_page.h"
#include "archive_names.h"
#include "code_pages.h"
#include "record_code_pages.h"

namespace stub {

const char kFilesUnreadable[] = "The installation package is damaged: its files cannot be read.";

bool CheckArchiveNames(ZipDirectory& directory, const char record[RecordLength], bool spanned,
                       bool extractOnly, CodePageNames& names, RecordedStart& start, char* why) {
    why[0] = 0;
    if (!NamesToAnsi(directory, why)) {
        if (!why[0]) strcpy(why, kFilesUnreadable);
        return false;
    }
    int unsafe = FirstUnsafeEntry(directory);
    if (unsafe >= 0) {
        FormatText(why, "The package holds a file that would be written outside its folder (%s).",
                   directory[uint32_t(unsafe)].name);
        return false;
    }
    if (EntriesClash(directory, why)) return false;
    FindRecordedStart(record, directory, spanned, names, start);
    if (start.index >= 0 || !start.named || extractOnly) return true;
    strcpy(why, "The installation program that this package names ");
    FormatText(why + strlen(why),
               start.index == kStartProgramsDisagree
                   ? "reads as different files in different code pages, and as none in this "
                     "system's (%u)."
                   : "is not among its files, read in this system's code page (%u) or in any other "
                     "it has.",
               text::AnsiCodePage());
    return false;
}

}  // namespace stub
