#include "package_limits.h"

#include <cstdint>
#include <vector>

#include "ansi_code_page.h"
#include "create_front.h"
#include "folder_search.h"
#include "mvwrap.h"
#include "package_constants.h"
#include "package_writers.h"
#include "path_helpers.h"
#include "record_room.h"
#include "working_values.h"
#include "zip_component.h"

namespace {

constexpr char Caption[] = "Vornaly";

void Refuse(const std::string& why) {
    Front().ShowMessage("Unable to write the package: " + why, Caption, MessageOk);
}

// Through a directory search: Windows 95 has no GetFileAttributesExA.
uint64_t FileLength(const std::string& path) {
    uint64_t length = 0;
    SearchFolder(path, [&length](const FoundEntry& found) {
        length = found.length;
        return false;
    });
    return length;
}

std::vector<std::string> ArchiveNames() {
    std::vector<std::string> names;
    const int32_t count = ZipCount(ArchivePath.c_str());
    for (int32_t index = 0; index < count; ++index)
        names.push_back(TakeComponentText(Zipped(&index)));
    return names;
}

// The record holds names in the system's code page, where a character it
// lacks became "?", which no file name holds: the installation would look
// for another name and start nothing.
bool CodePageHoldsStartProgram() {
    if (InstallExecutable.find('?') == std::string::npos) return true;
    Refuse("the start program's name " + InstallExecutable + " has characters that code page " +
           std::to_string(text::AnsiCodePage()) +
           " cannot hold, and the installation record holds it in that code page. Rename the "
           "start program, or make the package on a system whose code page holds its name.");
    return false;
}

bool RecordNamesStartProgram(const std::string& entryName, const std::string& password, bool span) {
    const std::vector<std::string> names = ArchiveNames();
    std::vector<const char*> pointers;
    for (const std::string& name : names) pointers.push_back(name.c_str());
    int instead = -1;
    switch (stub::CheckRecordRoom(entryName.c_str(), password.c_str(), InstallExecutable.c_str(),
                                  pointers.data(), static_cast<int>(pointers.size()), span,
                                  instead)) {
    case stub::RecordRoom::kFits: return true;
    case stub::RecordRoom::kStartHidesPassword:
        Refuse("the start program's name " + InstallExecutable + " has " +
               std::to_string(InstallExecutable.size()) +
               " characters, and with a password it may have at most " +
               std::to_string(stub::kLongestStartWithPassword) +
               ": a longer one would overwrite the password in the installation record. Choose "
               "a start program nearer the top of the setup folders, or leave the password out.");
        return false;
    case stub::RecordRoom::kStartAmbiguous:
        Refuse("the installation record cannot name the start program " + InstallExecutable +
               (instead >= 0 ? " unambiguously: the package would start " + names[instead]
                             : std::string(" unambiguously")) +
               ". The record holds the first 41 characters of its name (without the 31st to "
               "33rd when the package is cut into pieces); choose a start program whose name is "
               "shorter, or sets it apart from the other archived names sooner.");
        return false;
    }
    return false;
}

bool StartsOnWindows(bool span) {
    if (span) return true;
    const uint64_t stub =
        FileLength(StubPath(OuterStubName));
    const uint64_t length = PackageLength(stub, FileLength(ArchivePath));
    if (length <= LongestPackage) return true;
    Refuse("it would be " + std::to_string(length) +
           " bytes long, and Windows starts no program "
           "longer than " +
           std::to_string(LongestPackage) +
           " bytes (64 KB short of 4 GB). Tick Span to cut it into pieces, or leave some of the "
           "files out.");
    return false;
}

}  // namespace

bool WithinPackageLimits(const std::string& entryName) {
    CreateFront& front = Front();
    const bool span = front.SpanTicked();
    return CodePageHoldsStartProgram() &&
           RecordNamesStartProgram(entryName, CutTo(front.Password(), MaxPasswordText), span) &&
           StartsOnWindows(span);
}
