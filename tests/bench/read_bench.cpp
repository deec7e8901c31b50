// The floor that reading sets under a zip program on one thread: lists the
// folders of read_bench @LIST (one "folder\*.*" pattern a line, as
// zip_bench takes them) with everything below them, opens every file and
// reads it to its end, on this one thread. Prints the seconds that took and
// the number of files and bytes, so that tools/bench-zip can set the zip
// job beside it on the same files under the same Wine.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                     &wide[0], static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(length > 0 ? length : 0));
    return wide;
}

struct Totals {
    unsigned long long files = 0;
    unsigned long long bytes = 0;
};

bool ReadFolder(const std::wstring& folder, std::vector<char>& buffer, Totals& totals) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    std::vector<std::wstring> folders;
    bool ok = true;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(folder + name + L"\\");
            continue;
        }
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            ok = false;
            continue;
        }
        // A read shorter than asked ends a disk file: no second call to see
        // nothing come.
        for (DWORD read = static_cast<DWORD>(buffer.size()); read == buffer.size();) {
            if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
                break;
            totals.bytes += read;
        }
        CloseHandle(file);
        ++totals.files;
    } while (FindNextFileW(search, &data));
    FindClose(search);
    for (const std::wstring& sub : folders) ok = ReadFolder(sub, buffer, totals) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] != '@') {
        std::fprintf(stderr, "usage: read_bench @LIST\n");
        return 2;
    }
    std::vector<std::wstring> folders;
    std::ifstream list(argv[1] + 1);
    for (std::string line; std::getline(list, line);) {
        std::string::size_type split = line.find_last_of('\\');
        if (split != std::string::npos) folders.push_back(Wide(line.substr(0, split + 1)));
    }
    std::vector<char> buffer(256 * 1024);
    Totals totals;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    bool ok = true;
    for (const std::wstring& folder : folders) ok = ReadFolder(folder, buffer, totals) && ok;
    QueryPerformanceCounter(&end);
    std::printf("%.3f %llu %llu\n",
                double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart), totals.files,
                totals.bytes);
    return ok ? 0 : 1;
}
