// The native listing shows a Linux folder as Wine shows it to MVWRAP.DLL, so
// that both write the same archive: which entries are taken, with which
// attributes and times. Every expectation here was checked against the DLL
// under Wine on the same files; where Wine shows an entry under a name it
// invents, or a fifo as an empty file, the native component refuses it by
// name instead (MVWRAP_FILE_UNREADABLE, as Wine itself gives for most such
// names, which it lists but cannot open).
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <map>
#include <string>

#include "component_calls.h"
#include "component_test.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

enum Kind { kFile, kFolder, kLink, kFifo };

// What an archive's directory says of each entry, by its stored name.
struct Stored {
    uint8_t attributes;
    uint64_t written, created;  // from the NTFS times field
};

uint64_t Little(const std::string& bytes, size_t at, int size) {
    uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + size_t(i)]);
    return value;
}

std::map<std::string, Stored> Directory(const std::string& archive) {
    std::map<std::string, Stored> entries;
    for (size_t at = archive.find("PK\x01\x02"); at != std::string::npos;
         at = archive.find("PK\x01\x02", at + 46)) {
        const size_t name = Little(archive, at + 28, 2), extra = at + 46 + name;
        entries[archive.substr(at + 46, name)] = {uint8_t(archive[at + 38]),
                                                  Little(archive, extra + 12, 8),
                                                  Little(archive, extra + 28, 8)};
    }
    return entries;
}

using ListingTest = ComponentTest;

TEST_F(ListingTest, ShowsLinuxFilesAsWineShowsThem) {
    const uint64_t kSummer = 132708303319876543;  // 2021-07-15 13:45:31.9876543 UTC
    const struct {
        const char* name;  // UTF-8, made in "in" beside a.txt
        Kind kind;
        mode_t mode = 0644;
        const char* stored = nullptr;  // hidden and system as Wine keeps them
        int32_t error = MVWRAP_OK;
        const char* entry = nullptr;  // the name stored, when taken
        uint8_t attributes = 0;
        uint64_t written = 0;  // when checked
    } cases[] = {
        {".profile", kFile, 0644, nullptr, MVWRAP_OK, ".profile", 0x22},
        {".cache", kFolder, 0755, nullptr, MVWRAP_OK, ".cache/", 0x12},
        {"ro.txt", kFile, 0444, nullptr, MVWRAP_OK, "ro.txt", 0x21},
        {"group.txt", kFile, 0464, nullptr, MVWRAP_OK, "group.txt", 0x20},
        {"closed.txt", kFile, 0000, nullptr, MVWRAP_OK, "closed.txt", 0x21},
        {"rodir", kFolder, 0555, nullptr, MVWRAP_OK, "rodir/", 0x11},
        {"marked.txt", kFile, 0644, "0x6", MVWRAP_OK, "marked.txt", 0x26},
        {"summer.txt", kFile, 0644, nullptr, MVWRAP_OK, "summer.txt", 0x20, kSummer},
        {"link.txt", kLink, 0644, "../target.txt", MVWRAP_OK, "link.txt", 0x20, kSummer},
        {"linked", kLink, 0755, "../folder", MVWRAP_OK},
        {"dangling", kLink, 0644, "nowhere", MVWRAP_OK},
        {"pipe", kFifo, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"a\\b", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"a:b", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"a?", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"a|b", kFolder, 0755, nullptr, MVWRAP_FILE_UNREADABLE},
        {"ctl\x01", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"dot.", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"blank ", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {".a:b", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"bad\xff", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},
        {"\xe6\x97\xa5.txt", kFile, 0644, nullptr, MVWRAP_FILE_UNREADABLE},  // not in 1252
        {"caf\xc3\xa9.txt", kFile, 0644, nullptr, MVWRAP_OK, "caf\xc3\xa9.txt", 0x20},
    };
    const std::string in = dir.MakeFolder("in"), folder = dir.MakeFolder("folder");
    dir.MakeFile("in\\a.txt", "a");
    dir.MakeFile("folder\\inside.txt", "i");
    const struct timespec summer[2] = {{1626356731, 987654321}, {1626356731, 987654321}};
    utimensat(AT_FDCWD, dir.MakeFile("target.txt", "t").c_str(), summer, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = in + "/" + c.name;
        switch (c.kind) {
        case kFile:
            close(open(path.c_str(), O_WRONLY | O_CREAT, 0644));
            if (c.written) utimensat(AT_FDCWD, path.c_str(), summer, 0);
            break;
        case kFolder: ASSERT_EQ(mkdir(path.c_str(), 0755), 0); break;
        case kLink: ASSERT_EQ(symlink(c.stored, path.c_str()), 0); break;
        case kFifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
        }
        if (c.kind != kLink) chmod(path.c_str(), c.mode);
        if (c.kind != kLink && c.stored)
            setxattr(path.c_str(), "user.DOSATTRIB", c.stored, strlen(c.stored), 0);
        const std::string archive = dir / "out.zip";
        EXPECT_EQ(Zip(archive, in + "/*.*"), c.error);
        if (c.error == MVWRAP_OK) {
            const std::map<std::string, Stored> entries = Directory(ReadWholeFile(archive));
            EXPECT_EQ(entries.size(), c.entry ? 2u : 1u);
            EXPECT_EQ(entries.count("a.txt"), 1u);
            if (c.entry) {
                ASSERT_EQ(entries.count(c.entry), 1u);
                const Stored& stored = entries.at(c.entry);
                EXPECT_EQ(stored.attributes, c.attributes);
                EXPECT_EQ(stored.created, stored.written)
                    << "Wine's creation time is the last write";
                if (c.written) {
                    EXPECT_EQ(stored.written, c.written);
                }
            }
        } else {
            EXPECT_NE(Message(static_cast<int16_t>(c.error)).find(in + "/"), std::string::npos)
                << Message(static_cast<int16_t>(c.error));
            EXPECT_EQ(FolderContents(dir.Path()),
                      (std::vector<std::string>{"folder", "in", "target.txt"}));
        }
        RemoveFileAt(archive);
        chmod(path.c_str(), 0755);
        if (unlink(path.c_str()) != 0) rmdir(path.c_str());
    }
}

}  // namespace
