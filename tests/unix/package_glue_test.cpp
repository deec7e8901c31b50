// The Create's Linux glue on real files in a scratch folder: errno values
// as file-error numbers, a stub copy that keeps times and attributes as
// Wine shows them, moves that never replace, the hold two builders meet,
// and a whole spanning run through the glue.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "binary_file.h"
#include "file_attributes.h"
#include "file_copy.h"
#include "file_errors.h"
#include "list_order.h"
#include "noted_front.h"
#include "package_bytes.h"
#include "scratch_folder.h"
#include "set_aside.h"
#include "spanning.h"
#include "working_hold.h"
#include "working_values.h"

namespace {

std::string At(const ScratchFolder& folder, const std::string& name) {
    return std::filesystem::path(folder / name).string();
}

std::string Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

int OpenError(const std::string& path) {
    try {
        BinaryFile::OpenForReading(path);
    } catch (const FileError& error) {
        return error.number;
    }
    return 0;
}

TEST(UnixFileErrors, NumbersAreThoseOfTheWindowsTwin) {
    const struct {
        int error, number;
    } cases[] = {{ENOENT, 53}, {ENOTDIR, 76}, {EACCES, 75}, {EPERM, 75}, {EROFS, 70},
                 {EAGAIN, 70}, {ENOSPC, 61},  {EDQUOT, 61}, {EXDEV, 74}, {ENOMEM, 7},
                 {EIO, 72},    {EMFILE, 67},  {0, 51},      {4095, 75}};
    for (const auto& c : cases) EXPECT_EQ(FileErrorNumber(uint32_t(c.error)), c.number) << c.error;

    ScratchFolder folder;
    EXPECT_EQ(OpenError(At(folder, "missing.zip")), 53);
    EXPECT_EQ(OpenError(At(folder, "missing/Setup.zip")), 76);
    std::filesystem::create_directory(folder / "folder");
    EXPECT_EQ(OpenError(At(folder, "folder")), 75);
}

TEST(UnixFileCopy, KeepsTimesAndAttributesAsWineShowsThem) {
    ScratchFolder folder;
    const std::string source = std::filesystem::path(folder.MakeFile("Vornaly.vnp", "stub")).string();
    const std::string destination = At(folder, "Setup.exe");
    const timespec times[2] = {{1000000000, 5000}, {1100000000, 7000}};  // access, write
    ASSERT_EQ(utimensat(AT_FDCWD, source.c_str(), times, 0), 0);
    ASSERT_TRUE(WriteFileAttributes(source, AttributeReadOnly | AttributeArchive));

    ASSERT_TRUE(CopyFileKeepTimes(destination, source));
    // Reading the source may move its access time, as on Windows: the copy
    // has the time the source had once read.
    struct stat status, sourceStatus;
    ASSERT_EQ(stat(destination.c_str(), &status), 0);
    ASSERT_EQ(stat(source.c_str(), &sourceStatus), 0);
    EXPECT_EQ(Bytes(destination), "stub");
    EXPECT_EQ(status.st_atim.tv_sec, sourceStatus.st_atim.tv_sec);
    EXPECT_EQ(status.st_mtim.tv_sec, times[1].tv_sec);
    EXPECT_EQ(status.st_mtim.tv_nsec, times[1].tv_nsec);
    EXPECT_EQ(status.st_mode & 0222, 0u);
    uint32_t attributes = 0;
    ASSERT_TRUE(ReadFileAttributes(destination, attributes));
    EXPECT_EQ(attributes, AttributeReadOnly | AttributeArchive);

    // Hidden and system live where Wine keeps them; a dot file is hidden.
    ASSERT_TRUE(WriteFileAttributes(destination, AttributeHidden | AttributeSystem));
    char value[16] = "";
    EXPECT_EQ(getxattr(destination.c_str(), "user.DOSATTRIB", value, sizeof value), 3);
    EXPECT_STREQ(value, "0x6");
    ASSERT_EQ(stat(destination.c_str(), &status), 0);
    EXPECT_NE(status.st_mode & 0200, 0u) << "writable again";
    ASSERT_TRUE(WriteFileAttributes(destination, AttributeNormal));
    EXPECT_EQ(getxattr(destination.c_str(), "user.DOSATTRIB", value, sizeof value), -1);
    folder.MakeFile(".profile", "");
    ASSERT_TRUE(ReadFileAttributes(At(folder, ".profile"), attributes));
    EXPECT_EQ(attributes, AttributeHidden | AttributeArchive);
}

TEST(UnixSetAside, MovesNeverReplaceAndComeBackUnderTheirNames) {
    NotedFront front;
    ScratchFolder folder;
    folder.MakeFile("ReadMe.txt", "mine");
    folder.MakeFile("taken", "someone's");
    SetAside aside;
    EXPECT_FALSE(aside.Move(At(folder, "ReadMe.txt"), At(folder, "taken")));
    EXPECT_EQ(Bytes(At(folder, "taken")), "someone's");
    ASSERT_TRUE(aside.Move(At(folder, "ReadMe.txt")));
    ASSERT_EQ(aside.Places().size(), 1u);
    EXPECT_EQ(Bytes(aside.Places()[0]), "mine");
    EXPECT_TRUE(aside.PutBack());
    EXPECT_EQ(Bytes(At(folder, "ReadMe.txt")), "mine");
    EXPECT_EQ(front.said, "");
}

TEST(UnixWorkingHold, EverySpellingOfTheFolderMeetsTheSameHold) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "out");
    std::filesystem::create_directory_symlink(folder / "out", folder / "link");
    int error = 0;
    NativeHold first, second, other;
    ASSERT_EQ(HoldWorkingName(At(folder, "out/Setup.exe"), first, error), HoldOutcome::kHeld);
    EXPECT_EQ(HoldWorkingName(At(folder, "link/Setup.exe"), second, error),
              HoldOutcome::kHeldElsewhere);
    EXPECT_EQ(HoldWorkingName(At(folder, "out/Setup.zip"), other, error), HoldOutcome::kHeld);
    // Another process meets it too, and the hold ends with its holder.
    const pid_t child = fork();
    if (child == 0) {
        NativeHold theirs;
        _exit(HoldWorkingName(At(folder, "out/./Setup.exe"), theirs, error) ==
                      HoldOutcome::kHeldElsewhere
                  ? 0
                  : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    first.reset();
    EXPECT_EQ(HoldWorkingName(At(folder, "link/Setup.exe"), second, error), HoldOutcome::kHeld);
}

// The hold folder is the user's alone: one others may write in is refused,
// since a lock file there could be someone's link to a file of the user's.
TEST(UnixWorkingHold, TakesNoFolderOthersMayWriteIn) {
    ScratchFolder runtime, victim;
    const std::string before = getenv("XDG_RUNTIME_DIR") ? getenv("XDG_RUNTIME_DIR") : "";
    setenv("XDG_RUNTIME_DIR", At(runtime, "").c_str(), 1);
    const std::string holds = At(runtime, "vornaly-holds-" + std::to_string(getuid()));
    ASSERT_EQ(mkdir(holds.c_str(), 0777), 0);
    chmod(holds.c_str(), 0777);
    int error = 0;
    NativeHold hold;
    EXPECT_EQ(HoldWorkingName(At(victim, "Setup.exe"), hold, error), HoldOutcome::kFailed);
    chmod(holds.c_str(), 0700);
    EXPECT_EQ(HoldWorkingName(At(victim, "Setup.exe"), hold, error), HoldOutcome::kHeld);
    if (before.empty())
        unsetenv("XDG_RUNTIME_DIR");
    else
        setenv("XDG_RUNTIME_DIR", before.c_str(), 1);
}

TEST(UnixSpanning, CutsARealPackageAndReplacesAReadOnlyPiece) {
    NotedFront front;
    ScratchFolder folder;
    const std::string bytes = PackageOfLength(PieceSize + 1);
    OutputPath = std::filesystem::path(folder.MakeFile("SETUP.EXE", bytes)).string();
    folder.MakeFile("SETUP_002.exe", "old piece 2");
    ASSERT_TRUE(WriteFileAttributes(At(folder, "SETUP_002.exe"), AttributeReadOnly));

    ASSERT_TRUE(SpanPackage()) << front.said;
    EXPECT_TRUE(Bytes(At(folder, "SETUP_001.exe")) + Bytes(At(folder, "SETUP_002.exe")) ==
                WithCountAt(bytes, RecordOffset(3000), 2));
    EXPECT_FALSE(std::filesystem::exists(folder / "SETUP.EXE"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / ""),
                            std::filesystem::directory_iterator()),
              2);
    EXPECT_EQ(front.said, "");
}

TEST(UnixListOrder, IgnoresCaseAndPlacesAccentsBesideTheirLetters) {
    std::vector<std::string> order;
    for (const char* name : {"b.exe", "\xE4pfel", "A.EXE", "c", "a.exe", "Apfel"})
        InsertInListOrder(order, name);
    EXPECT_EQ(order, (std::vector<std::string>{"a.exe", "A.EXE", "Apfel", "\xE4pfel", "b.exe", "c"}));
    EXPECT_TRUE(SameTextIgnoringCase("Setup.ZIP", "setup.zip"));
    EXPECT_FALSE(SameTextIgnoringCase("Setup.zip", "Setup.zi"));
}

}  // namespace
