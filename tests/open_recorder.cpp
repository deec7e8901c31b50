// Stands in for the browser in tests: the .htm association points at a
// copy of it, and it writes the command line it was started with to a file
// named after its own path plus ".log", so a test sees what it was asked to
// open.
#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    // Written under another name and then renamed, so that a test never
    // reads half a line.
    const std::string log = std::string(self) + ".log";
    const std::string partial = log + ".part";
    FILE* file = fopen(partial.c_str(), "wb");
    if (!file) return 1;
    fputs(GetCommandLineA(), file);
    fclose(file);
    return MoveFileA(partial.c_str(), log.c_str()) ? 0 : 1;
}
