#include "start_program.h"

#include <stdlib.h>
#include <string.h>

#include "ansi_code_page.h"
#include "archive_names.h"
#include "code_pages.h"
#include "command_line.h"
#include "install_record.h"
#include "record_code_pages.h"

namespace stub {

namespace {

// Every ANSI code page of the Windows versions the packages run on. One a
// system lacks converts no name: its names stay empty.
const uint16_t kAnsiCodePages[] = {1252, 1250, 1251, 1253, 1254, 1255, 1256,
                                   1257, 1258, 874,  932,  936,  949,  950};
const int kCodePageCount = int(sizeof kAnsiCodePages / sizeof kAnsiCodePages[0]);

}  // namespace

CodePageNames::~CodePageNames() { Clear(); }

void CodePageNames::Clear() {
    free(text_);
    free(names_);
    text_ = nullptr;
    names_ = nullptr;
    length_ = 0;
}

bool CodePageNames::Fill(const ZipDirectory& directory, unsigned codePage) {
    Clear();
    // A character takes at most two bytes in any ANSI code page, and at
    // least one in this system's.
    uint32_t room = 0;
    for (uint32_t i = 0; i < directory.Count(); ++i) room += 2 * strlen(directory[i].name) + 1;
    text_ = static_cast<char*>(malloc(room ? room : 1));
    names_ = static_cast<const char**>(malloc((directory.Count() + 1) * sizeof(char*)));
    if (!text_ || !names_) {
        Clear();
        return false;
    }
    char* at = text_;
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        int length = int(2 * strlen(directory[i].name) + 1);
        uint16_t wide[kPathRoom];
        if (!CodePageToWide(text::AnsiCodePage(), directory[i].name, wide, kPathRoom) ||
            !HeldAs(codePage, wide, at, length))
            at[0] = 0;
        names_[i] = at;
        at += strlen(at) + 1;
    }
    length_ = static_cast<unsigned long>(at - text_);
    return true;
}

void CodePageNames::FoldCase() { UpperCaseAnsi(text_, length_); }

void FindRecordedStart(const char record[RecordLength], const ZipDirectory& directory, bool spanned,
                       CodePageNames& other, RecordedStart& start) {
    const int count = int(directory.Count());
    start = {FindStartProgram(record, directory.Names(), count, spanned), true,
             text::AnsiCodePage(), directory.Names()};
    if (start.index >= 0) return;
    start.named = RecordNamesStartProgram(record, directory.Names(), count);
    if (!start.named) return;
    bool explained = false;
    int found[kCodePageCount];
    for (int i = 0; i < kCodePageCount; ++i) {
        found[i] = -1;
        if (kAnsiCodePages[i] == start.codePage || !other.Fill(directory, kAnsiCodePages[i]))
            continue;
        found[i] = FindStartProgram(record, other.Names(), count, spanned);
        explained = explained || !RecordNamesStartProgram(record, other.Names(), count);
    }
    start.index = AgreedStartProgram(found, kCodePageCount);
    start.named = start.index != -1 || !explained;
    for (int i = 0; i < kCodePageCount && start.index >= 0; ++i) {
        if (found[i] != start.index) continue;
        if (!other.Fill(directory, kAnsiCodePages[i])) {
            start.index = -1;
            break;
        }
        start.codePage = kAnsiCodePages[i];
        start.names = other.Names();
        break;
    }
}

bool RightPassword(const char record[RecordLength], const ZipDirectory& directory,
                   const RecordedStart& start, bool spanned, const char* typed) {
    const int count = int(directory.Count());
    const unsigned ansi = text::AnsiCodePage();
    uint16_t wide[kArgumentRoom];
    if (strlen(typed) >= kArgumentRoom || !CodePageToWide(ansi, typed, wide, kArgumentRoom))
        return false;
    CodePageNames other;
    for (unsigned codePage : kAnsiCodePages) {
        char stored[2 * kArgumentRoom];
        const char* const* names = directory.Names();
        if (codePage != ansi &&
            (!HeldAs(codePage, wide, stored, sizeof stored) || !other.Fill(directory, codePage)))
            continue;
        if (codePage != ansi)
            names = other.Names();
        else
            strcpy(stored, typed);
        if (FindStartProgram(record, names, count, spanned) == start.index &&
            PasswordMatches(record, stored, names, count, start.index, spanned))
            return true;
    }
    return false;
}

}  // namespace stub
