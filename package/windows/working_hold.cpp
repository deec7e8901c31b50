// Holds on Windows: a named mutex per working name, which every process of
// the session meets.
#include "working_hold.h"

#include "ansi_code_page.h"
#include "file_errors.h"
#include "file_identities.h"
#include "path_helpers.h"
#include "upper_case.h"

namespace {

// A backslash would name a folder of the object namespace.
std::string WithoutBackslashes(std::string name) {
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    for (size_t at = 0; at < name.size();) {
        size_t bytes = text::CharacterBytes(name.data(), at, name.size(), lead);
        if (bytes == 1 && name[at] == '\\') name[at] = '/';
        at += bytes;
    }
    return name;
}

// The name under which a Create holds a path: its folder by identity, so
// that every spelling of the folder meets the same hold, and its file name
// ignoring case. Where the system cannot open a folder, the folder's path.
std::string HoldName(const std::string& path) {
    const std::string folder = FolderPart(path);
    PathIdentity identity;
    std::string key = UpperCased(folder);
    if (IdentityOfPath(folder, identity)) {
        char digits[32];
        wsprintfA(digits, "%08lX%08lX%08lX/", static_cast<unsigned long>(identity.volume),
                  static_cast<unsigned long>(identity.index >> 32),
                  static_cast<unsigned long>(identity.index & 0xFFFFFFFFu));
        key = digits;
    }
    std::string name = WithoutBackslashes("VNP:" + key + UpperCased(FileNamePart(path)));
    // Object names end at MAX_PATH; a long one keeps its start and a
    // checksum of the whole.
    if (name.size() >= MAX_PATH) {
        uint32_t sum = 2166136261u;
        for (unsigned char byte : name) sum = (sum ^ byte) * 16777619u;
        char digits[16];
        wsprintfA(digits, "#%08lX", static_cast<unsigned long>(sum));
        name = name.substr(0, MAX_PATH - 16) + digits;
    }
    return name;
}

}  // namespace

HoldOutcome HoldWorkingName(const std::string& path, NativeHold& hold, int& errorNumber) {
    hold.reset(CreateMutexA(nullptr, FALSE, HoldName(path).c_str()));
    const DWORD error = GetLastError();
    if (hold.valid() && error != ERROR_ALREADY_EXISTS) return HoldOutcome::kHeld;
    if (hold.valid()) return HoldOutcome::kHeldElsewhere;
    errorNumber = FileErrorNumber(error);
    return HoldOutcome::kFailed;
}
