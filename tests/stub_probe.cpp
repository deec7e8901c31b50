// The start program of test packages. It writes to the file named by the
// environment variable VNP_PROBE_LOG its current folder, its command line
// and the files it finds below that folder (name and size, one a line),
// then exits with the code in VNP_PROBE_EXIT (42 when there is none).
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

namespace {

void ListFiles(FILE* log, const std::string& folder, const std::string& prefix) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFiles(log, folder + "\\" + name, prefix + name + "\\");
        } else {
            fprintf(log, "file=%s%s %lu\n", prefix.c_str(), name.c_str(), found.nFileSizeLow);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char logPath[MAX_PATH], exitCode[32], folder[MAX_PATH];
    DWORD code = 42;
    if (GetEnvironmentVariableA("VNP_PROBE_EXIT", exitCode, sizeof exitCode))
        code = strtoul(exitCode, nullptr, 10);
    if (GetEnvironmentVariableA("VNP_PROBE_LOG", logPath, sizeof logPath)) {
        GetCurrentDirectoryA(sizeof folder, folder);
        if (FILE* log = fopen(logPath, "w")) {
            fprintf(log, "folder=%s\ncommand=%s\n", folder, GetCommandLineA());
            ListFiles(log, folder, "");
            fclose(log);
        }
    }
    return int(code);
}
