// Test side of the stubs: packages laid out byte by byte the way the writer
// lays them out (written here again, apart from the program's own code),
// zip archives with any entry names, and a package run as a child process
// whose windows the test answers.
#ifndef TESTS_STUB_PACKAGES_H
#define TESTS_STUB_PACKAGES_H

#include <windows.h>

#include <stdint.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Little-endian fields, as zip archives and executables hold them.
void Put16(std::string& out, uint32_t value);
void Put32(std::string& out, uint32_t value);

// The 100-byte record: entry name padded, password from position 80, start
// program from position 60, each cut at the record's end.
std::string TestRecord(const std::string& entryName, const std::string& password,
                       const std::string& startProgram);

// Outer stub, 394 zeros, stub marker, outer stub, stub marker, record
// marker, record, inner stub, archive with "ZS" for "PK".
std::string TestPackage(const std::string& outerStub, const std::string& innerStub,
                        const std::string& archive, const std::string& record);

// The pieces of a package cut for diskettes, the count written into the
// record first.
std::vector<std::string> TestPieces(std::string package, size_t recordOffset);

// A zip archive of stored entries with exactly these names.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& entries);

void WriteBytes(const std::string& path, const std::string& bytes);

// The program folder's stubs and the test start program.
std::string OuterStub();
std::string InnerStub();
std::string ProbeProgram();

// A top-level dialog with this caption of the child RunChild runs (or a
// program it started); null when none appeared in time.
HWND WaitForForeignDialog(const char* caption, DWORD timeoutMs = 20000);
// A message box's text.
std::string BoxText(HWND box);

// Starts the command line, lets the test answer its windows while it runs,
// and returns its exit code (or -1 when it did not end in time, after it
// was ended).
int RunChild(const std::string& commandLine, const std::function<void()>& answer = nullptr,
             DWORD timeoutMs = 60000);

// Meant as RunChild's answer: lists every visible top-level window of the
// child and the programs it started ("class: caption"), looking every few
// milliseconds until none of them runs any more (or timeoutMs passed).
std::vector<std::string> WatchChildWindows(DWORD timeoutMs = 20000);

// Points the temporary folder of the packages a test runs into a folder of
// the test's own, so that what they leave there is found and removed with it.
class OwnTemporaryFolder {
public:
    explicit OwnTemporaryFolder(const std::string& folder);
    ~OwnTemporaryFolder();
    OwnTemporaryFolder(const OwnTemporaryFolder&) = delete;
    OwnTemporaryFolder& operator=(const OwnTemporaryFolder&) = delete;

private:
    char old_[MAX_PATH];
    bool had_;
};

#endif
