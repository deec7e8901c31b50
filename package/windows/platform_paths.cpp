// Path questions through Windows: directory searches, the module name, and
// IMAGEHLP's folder maker where the system has it.
#include "platform_paths.h"
#include "dll_search.h"

#include "ansi_code_page.h"
#include "win_handles.h"

namespace {

bool Counts(const WIN32_FIND_DATAA& entry) {
    const DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
    std::string name = entry.cFileName;
    return name != "." && name != ".." && (entry.dwFileAttributes & excluded) == 0;
}

}  // namespace

bool FileExists(const std::string& path) {
    std::string pattern = path;
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    if (text::EndsWith(pattern.c_str(), '\\', lead) || text::EndsWith(pattern.c_str(), ':', lead))
        pattern += "*.*";

    QuietErrorMode quiet;
    WIN32_FIND_DATAA entry;
    FindHandle search(FindFirstFileA(pattern.c_str(), &entry));
    if (!search.valid()) return false;
    do {
        if (Counts(entry)) return true;
    } while (FindNextFileA(search.get(), &entry));
    return false;
}

std::string ProgramPath() {
    char buffer[255];
    DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (length >= sizeof buffer) length = sizeof buffer - 1;
    return std::string(buffer, length);
}

// By characters: the second byte "\" of a double-byte character ends no
// folder.
void MakeFoldersAbove(const std::string& path) {
    const text::LeadBytes& lead = text::AnsiLeadBytes();
    const char* previous = nullptr;
    for (const char* at = path.c_str(); *at; previous = at, at = text::NextCharacter(at, lead)) {
        if (*at == '\\' && previous && *previous != ':' && *previous != '\\')
            CreateDirectoryA(path.substr(0, size_t(at - path.c_str())).c_str(), nullptr);
    }
}

void MakeSureFoldersExist(const std::string& path) {
    using Call = BOOL(WINAPI*)(PCSTR);
    static const Call system = [] {
        HMODULE library = LoadSystemLibrary("IMAGEHLP.DLL");
        return library ? reinterpret_cast<Call>(reinterpret_cast<void*>(
                             GetProcAddress(library, "MakeSureDirectoryPathExists")))
                       : nullptr;
    }();
    if (system)
        system(path.c_str());
    else
        MakeFoldersAbove(path);
}
