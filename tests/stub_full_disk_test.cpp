// A package extracted onto a disk that fills up says so in one sentence and
// tells where the files extracted before stay; without any window (/Q:A) it
// takes them back and only its log says why: the target is then as it was
// before the run, for a full disk as for damaged bytes. The disk is the 1 MB
// memory file system of the full-disk tests; without it the full-disk cases
// are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

#include "file_io.h"
#include "stub_packages.h"
#include "temp_dir.h"

namespace {

class StubFullDisk : public testing::Test {
protected:
    void SetUp() override {
        if (!IsSmallDisk(disk))
            GTEST_SKIP() << disk << " is not a small disk of its own (mounting needs root)";
        std::string archive = StoredZip({{"a.txt", "first"}, {"big.bin", Noise(2 << 20)}});
        WriteBytes(package,
                   TestPackage(OuterStub(), InnerStub(), archive, TestRecord("big.bin", "", "")));
    }
    void TearDown() override { stub::RemoveTree(target.c_str()); }

    const std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    const std::string target = disk + "\\out";
    TempDir temp;
    const std::string package = temp / "PACKAGE.EXE";
};

TEST_F(StubFullDisk, SaysTheDiskIsFull) {
    std::string shown;
    EXPECT_EQ(RunChild("\"" + package + "\" /Q \"/X:" + target + "\"",
                       [&] {
                           HWND box = WaitForForeignDialog("Vornaly");
                           ASSERT_NE(box, nullptr);
                           shown = BoxText(box);
                           PostMessageA(box, WM_COMMAND, IDOK, 0);
                       }),
              1);
    EXPECT_EQ(shown, "The disk is full: " + target +
                         "\\big.bin could not be written. The files "
                         "extracted before stay in " +
                         target + ".");
    EXPECT_EQ(ReadWholeFile(target + "\\a.txt"), "first");
    EXPECT_EQ(GetFileAttributesA((target + "\\big.bin").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(StubFullDisk, WithoutAnyWindowTakesBackWhatItExtracted) {
    std::string log = temp / "run.log";
    bool windowSeen = false;
    EXPECT_EQ(RunChild(
                  "\"" + package + "\" /Q:A \"/X:" + target + "\" \"/L:" + log + "\"",
                  [&] { windowSeen = WaitForForeignDialog("Vornaly", 3000) != nullptr; }, 20000),
              1);
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(GetFileAttributesA(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(ReadWholeFile(log).find("Error: The disk is full: " + target + "\\big.bin"),
              std::string::npos)
        << ReadWholeFile(log);
}

// Everything below a folder: each folder with its attributes, and each file
// with its bytes, times and attributes, by its path below the folder.
struct Entry {
    bool folder;
    std::string bytes;
    FILETIME created, written;
    DWORD attributes;
    bool operator==(const Entry& other) const {
        return folder == other.folder && bytes == other.bytes && attributes == other.attributes &&
               CompareFileTime(&created, &other.created) == 0 &&
               CompareFileTime(&written, &other.written) == 0;
    }
};

void Snapshot(const std::string& folder, const std::string& prefix,
              std::map<std::string, Entry>& state) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        // A folder's times change with what it holds (Wine shows the status
        // change time as the creation time): its attributes are compared.
        Entry entry = {isFolder, "", {}, {}, found.dwFileAttributes};
        if (!isFolder) {
            entry.bytes = ReadWholeFile(folder + "\\" + name);
            entry.created = found.ftCreationTime;
            entry.written = found.ftLastWriteTime;
        }
        state[prefix + name] = entry;
        if (isFolder) Snapshot(folder + "\\" + name, prefix + name + "\\", state);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::map<std::string, Entry> Snapshot(const std::string& folder) {
    std::map<std::string, Entry> state;
    Snapshot(folder, "", state);
    return state;
}

std::string Listed(const std::map<std::string, Entry>& state) {
    std::string text;
    for (const auto& entry : state) text += entry.first + "\n";
    return text;
}

struct TakebackCase {
    const char* name;
    bool fullDisk;    // else a file's bytes are damaged
    bool filesThere;  // the target holds files before, some of the entries' names
};

void PrintTo(const TakebackCase& c, std::ostream* out) { *out << c.name; }

class StubTakeback : public testing::TestWithParam<TakebackCase> {
protected:
    TempDir temp_;
};

// The last entry, in a subfolder of a subfolder, fails; the ones before it
// replace files, add files to folders that were there and make folders.
TEST_P(StubTakeback, LeavesTheTargetAsItWas) {
    const TakebackCase& c = GetParam();
    std::string disk = WinePath(FULL_DISK_UNIX_PATH);
    if (c.fullDisk && !IsSmallDisk(disk))
        GTEST_SKIP() << disk << " is not a small disk of its own (mounting needs root)";
    std::string root = c.fullDisk ? disk + "\\takeback" : temp_ / "takeback";
    stub::RemoveTree(root.c_str());
    CreateDirectoryA(root.c_str(), nullptr);
    // Without files there before, the target's parent is made by the package too.
    std::string target = root + (c.filesThere ? "\\target" : "\\new\\target");
    if (c.filesThere) {
        auto make = [&](const std::string& name, const std::string& bytes, DWORD attributes) {
            std::string path = target + "\\" + name;
            stub::MakeFolders(path.substr(0, path.rfind('\\')).c_str());
            WriteBytes(path, bytes);
            FILETIME old = {0x12345678, 0x01c00000};
            HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            SetFileTime(file, &old, &old, &old);
            CloseHandle(file);
            SetFileAttributesA(path.c_str(), attributes);
        };
        make("keep.txt", "kept before", FILE_ATTRIBUTE_ARCHIVE);
        make("a.txt", "old a", FILE_ATTRIBUTE_READONLY);
        make("sub\\b.txt", "old b", FILE_ATTRIBUTE_HIDDEN);
        make("sub\\other.txt", "other", FILE_ATTRIBUTE_ARCHIVE);
        make("sub\\new2\\bad.bin", "old bad", FILE_ATTRIBUTE_ARCHIVE);
    }
    std::string bad = c.fullDisk ? Noise(2 << 20) : "the bad file's bytes";
    std::string archive = StoredZip({{"a.txt", "new a"},
                                     {"sub/b.txt", "new b"},
                                     {"sub/new/c.txt", "new c"},
                                     {"sub/new/deeper/", ""},
                                     {"keep.txt", "replaced"},
                                     {"sub/new2/bad.bin", bad}});
    if (!c.fullDisk) archive[archive.find("the bad file's bytes")] ^= 1;
    std::string package = temp_ / "PACKAGE.EXE";
    WriteBytes(package, TestPackage(OuterStub(), InnerStub(), archive,
                                    TestRecord("sub/new2/bad.bin", "", "")));
    std::map<std::string, Entry> before = Snapshot(root);
    std::string log = temp_ / "run.log";
    EXPECT_EQ(RunChild("\"" + package + "\" /Q:A \"/X:" + target + "\" \"/L:" + log + "\"", nullptr,
                       20000),
              1);
    std::string logged = ReadWholeFile(log);
    EXPECT_NE(logged.find(c.fullDisk ? "Error: The disk is full" : "does not hold the bytes"),
              std::string::npos)
        << logged;
    // The entries before the bad one were written and taken back again: the
    // log lists none of them as extracted.
    EXPECT_EQ(logged.find("Extracted "), std::string::npos) << logged;
    std::map<std::string, Entry> after = Snapshot(root);
    EXPECT_EQ(Listed(after), Listed(before));
    for (const auto& entry : before)
        EXPECT_TRUE(after.count(entry.first) && after[entry.first] == entry.second) << entry.first;
    stub::RemoveTree(root.c_str());
}

INSTANTIATE_TEST_SUITE_P(Failures, StubTakeback,
                         testing::Values(TakebackCase{"FullDiskNewTarget", true, false},
                                         TakebackCase{"FullDiskFilesThere", true, true},
                                         TakebackCase{"DamagedNewTarget", false, false},
                                         TakebackCase{"DamagedFilesThere", false, true}),
                         [](const testing::TestParamInfo<TakebackCase>& info) {
                             return info.param.name;
                         });

}  // namespace
