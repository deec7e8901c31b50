// Archive names and unpacking faults, as both stubs report them.
#include "archive_names.h"

#include <stdlib.h>
#include <string.h>

#include "ansi_code_page.h"
#include "code_pages.h"
#include "entry_clashes.h"
#include "entry_paths.h"
#include "start_program.h"
#include "utf8.h"

namespace stub {

// A character the code page lacks becomes its default character or a
// look-alike ("best fit"), which would write and start another file than
// the one packed: the round trip catches both. WC_NO_BEST_FIT_CHARS would
// catch the look-alikes too, but Windows 95, 98 and NT 4.0 refuse that flag.
bool HeldAs(unsigned codePage, const uint16_t* wide, char* bytes, int room) {
    uint16_t back[kPathRoom];
    if (!WideToCodePage(codePage, wide, bytes, room) ||
        !CodePageToWide(codePage, bytes, back, kPathRoom))
        return false;
    for (int i = 0; back[i] == wide[i]; ++i)
        if (!wide[i]) return true;
    return false;
}

bool NamesToAnsi(ZipDirectory& directory, char* why) {
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        ZipEntry& entry = directory[i];
        if (!entry.utf8Name) continue;
        uint16_t wide[kPathRoom];
        why[0] = 0;
        if (!text::Utf8ToUtf16(entry.name, wide, kPathRoom)) return false;
        // ANSI never takes more bytes than UTF-8 for the same characters.
        char ansi[4 * kPathRoom];
        ansi[0] = 0;
        if (!HeldAs(text::AnsiCodePage(), wide, ansi, sizeof ansi) ||
            strlen(ansi) > strlen(entry.name)) {
            // The name as near as this code page comes to it.
            ansi[kPathRoom - 1] = 0;
            FormatText(why,
                       "This system cannot hold the file name %s: its code page (%u) lacks some "
                       "of its characters.",
                       ansi, text::AnsiCodePage());
            return false;
        }
        strcpy(entry.name, ansi);
    }
    return true;
}

int FirstUnsafeEntry(const ZipDirectory& directory) {
    for (uint32_t i = 0; i < directory.Count(); ++i)
        if (!SafeEntryPath(directory[i].name, text::AnsiLeadBytes())) return int(i);
    return -1;
}

bool EntriesClash(const ZipDirectory& directory, char* why) {
    CodePageNames folded;
    uint32_t* order = static_cast<uint32_t*>(malloc(directory.Count() * sizeof *order + 1));
    bool ready = order && folded.Fill(directory, text::AnsiCodePage());
    if (ready) folded.FoldCase();
    EntryClash clash = {-1, -1};
    if (ready) clash = FirstClash(folded.Names(), directory.Count(), order, text::AnsiLeadBytes());
    free(order);
    if (!ready) {
        DescribeUnpackFault(UnpackResult::kNoMemory, "the list of files", why);
        return true;
    }
    if (clash.file < 0) return false;
    FormatText(why, "The package holds %s and %s, which one folder cannot hold together.",
               directory[uint32_t(clash.file)].name, directory[uint32_t(clash.other)].name);
    return true;
}

void DescribeUnpackFault(UnpackResult result, const char* name, char* why) {
    switch (result) {
    case UnpackResult::kWrongCrc:
        FormatText(why, "The package is damaged: %s does not hold the bytes that were packed.",
                   name);
        break;
    case UnpackResult::kUnsupported:
        FormatText(why, "%s is packed in a way this installer cannot unpack.", name);
        break;
    case UnpackResult::kNoMemory:
        FormatText(why, "There is not enough memory to unpack %s.", name);
        break;
    default: FormatText(why, "The package is damaged: %s cannot be unpacked.", name); break;
    }
}

}  // namespace stub
