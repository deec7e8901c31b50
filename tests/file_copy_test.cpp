// Copying stub files with their times and attributes, and stamping the
// archive's times on the package, on real files.
#include <gtest/gtest.h>

#include <windows.h>

#include "file_copy.h"
#include "file_errors.h"
#include "temp_dir.h"
#include "volume_roots.h"
#include "working_values.h"

namespace {

FILETIME Time(int64_t seconds) {
    const uint64_t ticks = (13000000000ull + seconds) * 10000000ull;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The times as Windows gives them, beside FileTimes' plain counts.
struct WindowsTimes {
    FILETIME creation{}, lastAccess{}, lastWrite{};
};

WindowsTimes TimesOf(const std::string& path) {
    WindowsTimes t;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    GetFileTime(file, &t.creation, &t.lastAccess, &t.lastWrite);
    CloseHandle(file);
    return t;
}

void SetTimes(const std::string& path, const WindowsTimes& t) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, &t.creation, &t.lastAccess, &t.lastWrite);
    CloseHandle(file);
}

bool operator==(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// Whether this file system keeps a creation time that is set (Wine on a
// Linux file system cannot).
bool KeepsCreationTimes() {
    TempDir probe;
    const std::string path = probe.MakeFile("probe");
    const WindowsTimes set{FILETIME{0x12345678, 0x01c00000}, {}, {}};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, &set.creation, nullptr, nullptr);
    FILETIME got{};
    GetFileTime(file, &got, nullptr, nullptr);
    CloseHandle(file);
    return got.dwLowDateTime == set.creation.dwLowDateTime &&
           got.dwHighDateTime == set.creation.dwHighDateTime;
}

// Reading a file may move its access time, so times are read before bytes.
void ExpectSameTimes(const WindowsTimes& a, const WindowsTimes& b) {
    static const bool creation = KeepsCreationTimes();
    if (creation) {
        EXPECT_TRUE(a.creation == b.creation);
    }
    EXPECT_TRUE(a.lastAccess == b.lastAccess);
    EXPECT_TRUE(a.lastWrite == b.lastWrite);
}

const WindowsTimes SourceTimes{Time(1), Time(2), Time(3)};

TEST(CopyFileKeepTimes, CarriesBytesTimesAndAttributes) {
    // Around the 32,256-byte copy block: empty, an exact multiple, a remainder.
    for (size_t length : {0u, 64512u, 70000u}) {
        TempDir dir;
        const std::string source = dir.MakeFile("Vornaly.vnp", Noise(length),
                                                FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
        SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetTimes(source, SourceTimes);
        SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
        const std::string destination = dir.MakeFile("out\\Setup.exe", "an older package");

        ASSERT_TRUE(CopyFileKeepTimes(destination, source)) << length;
        ExpectSameTimes(TimesOf(destination), TimesOf(source));
        EXPECT_TRUE(TimesOf(destination).lastWrite == SourceTimes.lastWrite);
        EXPECT_EQ(ReadWholeFile(destination), Noise(length));
        EXPECT_EQ(GetFileAttributesA(destination.c_str()),
                  DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    }
}

TEST(CopyFileKeepTimes, RefusesAndLeavesTheDestinationAsItWas) {
    using Destination = std::string (*)(const TempDir&, const std::string& source);
    const std::pair<const char*, Destination> cases[] = {
        {"missing source",
         [](const TempDir& dir, const std::string& source) {
             DeleteFileA(source.c_str());
             return dir.MakeFile("Setup.exe", "old package");
         }},
        {"same text", [](const TempDir&, const std::string& source) { return source; }},
        {"same file, other case",
         [](const TempDir& dir, const std::string&) { return dir / "VORNALY.VNP"; }},
        {"same file, relative form",
         [](const TempDir& dir, const std::string&) {
             SetCurrentDirectoryA(dir.MakeFolder("sub").c_str());
             return std::string("..\\Vornaly.vnp");
         }},
        {"destination cannot be removed",
         [](const TempDir& dir, const std::string&) {
             return dir.MakeFile("Setup.exe", "old package", FILE_ATTRIBUTE_READONLY);
         }},
    };
    char home[MAX_PATH];
    GetCurrentDirectoryA(sizeof home, home);
    for (const auto& [name, makeDestination] : cases) {
        TempDir dir;
        const std::string source = dir.MakeFile("Vornaly.vnp", "stub bytes");
        const std::string destination = makeDestination(dir, source);
        const std::string before = ReadWholeFile(destination);

        EXPECT_FALSE(CopyFileKeepTimes(destination, source)) << name;
        EXPECT_EQ(ReadWholeFile(destination), before) << name;
        if (std::string(name) != "missing source") {
            EXPECT_EQ(ReadWholeFile(source), "stub bytes") << name;
        }
        SetCurrentDirectoryA(home);
    }
}

TEST(PackageTimes, StampGivesTheArchiveTimesAndCreatesNothing) {
    TempDir dir;
    ArchivePath = dir.MakeFile("Setup.zip", "PK archive");
    SetTimes(ArchivePath, SourceTimes);
    CaptureArchiveTimes();
    const WindowsTimes archiveTimes = TimesOf(ArchivePath);
    const std::string package = dir.MakeFile("Setup.exe", "package");

    StampPackageTimes(package);
    StampPackageTimes(dir / "Missing.exe");

    ExpectSameTimes(TimesOf(package), archiveTimes);
    EXPECT_EQ(GetFileAttributesA((dir / "Missing.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(DriveFreeBytes, NeverReportsMoreThanTwoGigabytes) {
    const uint32_t free = DriveFreeBytes(0);
    EXPECT_GT(free, 0u);
    EXPECT_LE(free, 0x80000000u);
    EXPECT_EQ(DriveFreeBytes(static_cast<int16_t>('Q' - 64)), 0u);  // no drive Q: in the prefix
}

// Another program holding the archive: the times are not those of an
// earlier Create's archive but none, and the failure is the caller's to report.
TEST(PackageTimes, AnArchiveWhoseTimesCannotBeReadLeavesNoneSaved) {
    TempDir dir;
    ArchivePath = dir.MakeFile("Setup.zip", "PK archive");
    SetTimes(ArchivePath, SourceTimes);
    CaptureArchiveTimes();
    ASSERT_NE(SavedArchiveTimes.lastWrite >> 32, 0u);

    HANDLE held =
        CreateFileA(ArchivePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    int number = 0;
    try {
        CaptureArchiveTimes();
    } catch (const FileError& error) {
        number = error.number;
    }
    CloseHandle(held);
    EXPECT_EQ(number, 70);
    EXPECT_EQ(SavedArchiveTimes.creation >> 32, 0u);
    EXPECT_EQ(SavedArchiveTimes.lastAccess >> 32, 0u);
    EXPECT_EQ(SavedArchiveTimes.lastWrite >> 32, 0u);
}

// The free space is asked of the volume the destination lies on: a network
// share by its own root, whatever the current folder.
TEST(VolumeRoot, IsTheDestinationsOwnVolume) {
    const struct {
        const char* path;
        const char* current;
        const char* root;
    } cases[] = {
        {"C:\\Out\\Setup.exe", "D:\\Work", "C:\\"},
        {"c:Setup.exe", "D:\\Work", "c:\\"},
        {"\\\\server\\share\\Out\\Setup.exe", "C:\\Work", "\\\\server\\share\\"},
        {"\\\\server\\share", "C:\\Work", "\\\\server\\share\\"},
        {"\\\\server\\share\\Setup.exe", "\\\\other\\place\\Work", "\\\\server\\share\\"},
        {"Setup.exe", "\\\\server\\share\\Work", "\\\\server\\share\\"},
        {"Out\\Setup.exe", "E:\\Work", "E:\\"},
        {"\\\\server", "C:\\Work", ""},
        {"\\\\\\share\\x", "C:\\Work", ""},
        {"Setup.exe", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(VolumeRoot(c.path, c.current), c.root) << c.path;
}

}  // namespace
