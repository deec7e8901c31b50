// Feeds mutated archives to MVWRAP.DLL in one process: for each, ZipCount,
// Zipped over the listing and Zzip adding one file, and checks what must
// hold whatever the input: ZipCount counts 0 for every archive Zzip refuses
// as damaged, a refused archive is left byte for byte, no temporary file is
// left, and the process lives. Archives Zzip accepted are kept for
// tools/fuzz-zip to check with independent readers.
// zip_fuzz SEED_FOLDER WORK_FOLDER COUNT RANDOM_SEED
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "mvwrap.h"

namespace {

std::string WholeFile(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void SaveFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::string> Matching(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.push_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return names;
}

void Put(std::string& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size && at + i < bytes.size(); ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

uint32_t Get32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value =
            value << 8 | (at + i < bytes.size() ? static_cast<unsigned char>(bytes[at + i]) : 0);
    return value;
}

// Where each kind of record starts, and the offsets of its numeric fields
// (with their sizes) that a mutation aims at.
struct FieldSet {
    const char* signature;
    std::vector<std::pair<size_t, int>> fields;
};

const FieldSet kRecords[] = {
    {"PK\x03\x04", {{6, 2}, {8, 2}, {14, 4}, {18, 4}, {22, 4}, {26, 2}, {28, 2}}},
    {"PK\x01\x02",
     {{8, 2}, {10, 2}, {16, 4}, {20, 4}, {24, 4}, {28, 2}, {30, 2}, {32, 2}, {34, 2}, {42, 4}}},
    {"PK\x05\x06", {{4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 4}, {16, 4}, {20, 2}}},
    {"PK\x07\x08", {{4, 4}, {8, 4}, {12, 4}}},
};

class Mutator {
public:
    explicit Mutator(unsigned seed) : random_(seed) {}

    std::string Mutate(std::string bytes) {
        int changes = 1 + Below(3);
        for (int i = 0; i < changes && !bytes.empty(); ++i) {
            switch (Below(6)) {
            case 0:
            case 1:
            case 2: SetField(bytes); break;
            case 3: bytes[Below(bytes.size())] ^= static_cast<char>(1 << Below(8)); break;
            case 4: bytes.resize(Below(bytes.size())); break;
            default: {  // a piece moved, doubled or dropped
                size_t from = Below(bytes.size()), length = 1 + Below(64);
                std::string piece = bytes.substr(from, length);
                if (Below(2))
                    bytes.insert(Below(bytes.size()), piece);
                else
                    bytes.erase(from, length);
            }
            }
        }
        return bytes;
    }

private:
    size_t Below(size_t n) {
        return n ? std::uniform_int_distribution<size_t>(0, n - 1)(random_) : 0;
    }

    void SetField(std::string& bytes) {
        const FieldSet& set = kRecords[Below(4)];
        std::vector<size_t> starts;
        for (size_t at = bytes.find(set.signature, 0, 4); at != std::string::npos;
             at = bytes.find(set.signature, at + 1, 4))
            starts.push_back(at);
        if (starts.empty()) return;
        size_t start = starts[Below(starts.size())];
        auto field = set.fields[Below(set.fields.size())];
        uint32_t old = Get32(bytes, start + field.first);
        const uint32_t values[] = {0,
                                   1,
                                   0xFFFF,
                                   0xFFFFFFFFu,
                                   0xFFFFFFF0u,
                                   0x7FFFFFFFu,
                                   0x80000000u,
                                   old + 1,
                                   old - 1,
                                   old * 2,
                                   static_cast<uint32_t>(bytes.size()),
                                   static_cast<uint32_t>(Below(bytes.size()))};
        Put(bytes, start + field.first, values[Below(sizeof values / sizeof *values)],
            field.second);
    }

    std::mt19937 random_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: zip_fuzz SEED_FOLDER WORK_FOLDER COUNT RANDOM_SEED\n");
        return 2;
    }
    const std::string seeds = argv[1], work = argv[2];
    const long count = std::atol(argv[3]);
    Mutator mutator(static_cast<unsigned>(std::atol(argv[4])));
    std::vector<std::string> seedBytes;
    for (const std::string& name : Matching(seeds + "\\*.zip"))
        seedBytes.push_back(WholeFile(seeds + "\\" + name));
    if (seedBytes.empty()) {
        std::fprintf(stderr, "no seed archives in %s\n", seeds.c_str());
        return 2;
    }
    CreateDirectoryA((work + "\\add").c_str(), nullptr);
    CreateDirectoryA((work + "\\accepted").c_str(), nullptr);
    SaveFile(work + "\\add\\added by the fuzzer.txt", "new file\r\n");
    const std::string input = work + "\\input.zip", pattern = work + "\\add\\*.*";

    RunMorvane();
    const int16_t tries = 1, depth = -1;
    const int32_t seconds = 0, level = -1;
    SetRetryOptions(&tries, &seconds);
    SetSearchLimit(&depth);
    long counted = 0, refused = 0, accepted = 0, otherErrors = 0, findings = 0;
    for (long i = 0; i < count; ++i) {
        std::string bytes = mutator.Mutate(seedBytes[static_cast<size_t>(i) % seedBytes.size()]);
        SaveFile(input, bytes);
        std::string problem;
        int32_t entries = ZipCount(input.c_str());
        if (entries > 0) ++counted;
        for (int32_t index = -1; index <= entries; ++index) LocalFree(Zipped(&index));
        int32_t result = Zzip(input.c_str(), pattern.c_str(), " -whs", "", &level);
        if (result == MVWRAP_ARCHIVE_DAMAGED) {
            ++refused;
            if (entries != 0)
                problem = "ZipCount counted " + std::to_string(entries) + ", Zzip refused it";
        } else if (result == MVWRAP_OK) {
            ++accepted;
            if (ZipCount(input.c_str()) < 1) problem = "the archive Zzip wrote lists nothing";
            char name[32];
            std::snprintf(name, sizeof name, "\\accepted\\%06ld.zip", i);
            CopyFileA(input.c_str(), (work + name).c_str(), FALSE);
        } else {
            ++otherErrors;
        }
        if (result != MVWRAP_OK && WholeFile(input) != bytes) problem += " refused, yet changed";
        if (!Matching(work + "\\mvz*.tmp").empty()) problem += " temporary file left";
        if (!problem.empty()) {
            ++findings;
            std::printf("finding: input %ld (error %d): %s\n", i, result, problem.c_str());
            char name[32];
            std::snprintf(name, sizeof name, "\\finding-%06ld.zip", i);
            SaveFile(work + name, bytes);
        }
        if ((i + 1) % 1000 == 0) {
            std::printf("%ld inputs\n", i + 1);
            std::fflush(stdout);
        }
    }
    StopMorvane();
    std::printf(
        "inputs %ld, seeds %zu: counted %ld, refused as damaged %ld, added to %ld, "
        "other errors %ld, findings %ld\n",
        count, seedBytes.size(), counted, refused, accepted, otherErrors, findings);
    return findings ? 1 : 0;
}
