#include "native_reader.h"

#include <stdlib.h>

#include "temp_dir.h"

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    static const ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH];
    if (!toUnix || !MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH))
        return "";
    char* unix = toUnix(wide);
    if (!unix) return "";
    std::string path = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return path;
}

// Wine starts a Linux program without a process to wait for: a shell runs
// it and leaves its exit code in a file once it has ended.
ConsoleRun RunReader(const std::string& arguments) {
    TempDir streams;
    const std::string out = UnixPath(streams / "out"), err = UnixPath(streams / "err"),
                      code = UnixPath(streams / "code");
    const std::string script = "\\\"$0\\\" \\\"$@\\\" >'" + out + "' 2>'" + err + "'; echo $? >'" +
                               code + ".part'; mv '" + code + ".part' '" + code + "'";
    std::string line = "\"" + WinePath("/bin/sh") + "\" -c \"" + script + "\" \"" +
                       VNPUNPACK_UNIX_PATH "\" " + arguments;
    std::wstring wide(line.size() + 1, L'\0');
    wide.resize(
        size_t(MultiByteToWideChar(CP_UTF8, 0, line.c_str(), -1, &wide[0], int(wide.size()))));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ConsoleRun run;
    if (wide.empty() || !CreateProcessW(nullptr, &wide[0], nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process))
        return run;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string ended = streams / "code";
    for (int waited = 0; waited < 60000; waited += 20) {
        if (GetFileAttributesA(ended.c_str()) != INVALID_FILE_ATTRIBUTES) {
            run.exitCode = atoi(ReadWholeFile(ended).c_str());
            break;
        }
        Sleep(20);
    }
    run.out = ReadWholeFile(streams / "out");
    run.err = ReadWholeFile(streams / "err");
    return run;
}

ReaderVerdict ReaderTest(const std::string& package) {
    ConsoleRun run = RunReader("test \"" + UnixPath(package) + "\"");
    std::string said = run.out + run.err;
    if (!said.empty() && said.back() == '\n') said.pop_back();
    return {run.exitCode, said};
}

namespace {

void AddStamps(const std::wstring& root, const std::wstring& prefix, Stamps& stamps) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((root + L"\\" + prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        bool folder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        // A folder's time is when its last file arrived.
        unsigned long long written =
            folder
                ? 0
                : found.ftLastWriteTime.dwLowDateTime |
                      static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32;
        stamps[prefix + name] = {written, found.dwFileAttributes};
        if (folder) AddStamps(root, prefix + name + L"\\", stamps);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

Stamps TreeStamps(const std::wstring& root) {
    Stamps stamps;
    AddStamps(root, L"", stamps);
    return stamps;
}
