// Stands in for the system information program in tests: appends "start",
// waits a moment, appends "end" to a log named after its own path plus
// ".log", so a test sees which copy ran, how often, and whether two runs
// overlapped.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

void Append(const std::string& log, const char* line) {
    if (FILE* file = fopen(log.c_str(), "ab")) {
        fputs(line, file);
        fclose(file);
    }
}

}  // namespace

int main() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string log = std::string(self) + ".log";
    Append(log, "start\n");
    Sleep(300);
    Append(log, "end\n");
    return 0;
}
