// Spanning: piece names and counts, the record found by the package layout,
// and whole runs on real files in a temporary folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "binary_file.h"
#include "dialog_driver.h"
#include "package_bytes.h"
#include "package_format.h"
#include "path_helpers.h"
#include "spanning.h"
#include "temp_dir.h"
#include "window_front.h"
#include "working_values.h"

namespace {

constexpr char Caption[] = "Vornaly Installer";

std::string InnerExecutable(const std::string& archive) {
    return Letters(InnerStubLength, 3) + "ZS" + archive;
}

std::string Changed(std::string bytes, uint64_t offset) {
    bytes[offset] ^= 1;
    return bytes;
}

std::optional<uint64_t> Locate(const std::string& bytes) {
    return LocateRecord(bytes.size(), [&](uint64_t offset, char* buffer, uint32_t size) {
        const uint64_t n =
            offset < bytes.size() ? std::min<uint64_t>(size, bytes.size() - offset) : 0;
        std::copy_n(bytes.data() + offset, n, buffer);
        return static_cast<uint32_t>(n);
    });
}

std::vector<std::string> SortedContents(const std::string& folder) {
    std::vector<std::string> names = FolderContents(folder);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PieceNaming, NamesAndCounts) {
    const struct {
        std::string package;
        int number;
        std::string piece;
    } names[] = {
        {"C:\\OUT\\SETUP.EXE", 1, "C:\\OUT\\SETUP_001.exe"},
        {"D:\\PKG\\MY.SETUP.EXE", 2, "D:\\PKG\\MY_002.exe"},
        {"Setup.exe", 12, "Setup_012.exe"},
        {"C:\\a.b\\Setup", 999, "C:\\a.b\\Setup_999.exe"},
    };
    for (const auto& c : names) EXPECT_EQ(PieceName(c.package, c.number), c.piece) << c.package;

    const struct {
        uint64_t length, pieces;
    } counts[] = {{0, 0},
                  {1, 1},
                  {1430000, 1},
                  {1430001, 2},
                  {2860000, 2},
                  {2860001, 3},
                  {999ull * 1430000, 999},
                  {999ull * 1430000 + 1, 1000}};
    for (const auto& c : counts) EXPECT_EQ(PieceCount(c.length), c.pieces) << c.length;
}

TEST(LocateRecord, FindsTheRecordWhereTheWriterPutIt) {
    const std::string inner = InnerExecutable(Letters(5000, 4));
    const std::string stub = Letters(2000, 1);
    const std::string usual = Package(stub, inner);
    const std::string markerStub = Letters(5000, 1) + std::string(StubPadding, '\0') + StubMarker +
                                   RecordMarker + Letters(900, 5);
    const std::string falseLayouts = std::string(RecordMarker) + StubMarker + RecordMarker +
                                     Package(Letters(700, 6), "") + RecordMarker;
    const struct {
        const char* name;
        std::string bytes;
        std::optional<uint64_t> record;
    } cases[] = {
        {"stub 30,000, archive 200,000",
         Package(Letters(30000, 1), InnerExecutable(Letters(200000, 4))), 60424},
        {"empty stub", Package("", inner), RecordOffset(0)},
        {"pattern ends at a chunk's end", Package(Letters(14596, 1), inner), RecordOffset(14596)},
        {"pattern over a chunk's end", Package(Letters(14597, 1), inner), RecordOffset(14597)},
        {"marker over a chunk's end", Package(Letters(14601, 1), inner), RecordOffset(14601)},
        {"marker starts a chunk", Package(Letters(14606, 1), inner), RecordOffset(14606)},
        {"pattern over the second chunk's end", Package(Letters(29194, 1), inner),
         RecordOffset(29194)},
        {"stub ending in zero bytes", Package(Letters(1000, 1) + std::string(600, '\0'), inner),
         RecordOffset(1600)},
        {"stub holding padding and markers", Package(markerStub, inner),
         RecordOffset(markerStub.size())},
        {"archive holding markers and a false layout", Package(stub, InnerExecutable(falseLayouts)),
         RecordOffset(2000)},
        {"second copy differs", Changed(usual, 2000 + 404 + 1500), std::nullopt},
        {"second stub marker differs", Changed(usual, 2 * 2000 + 404 + 3), std::nullopt},
        {"record marker differs", Changed(usual, 2 * 2000 + 414 + 9), std::nullopt},
        {"padding one byte short", usual.substr(0, 2000) + usual.substr(2001), std::nullopt},
        {"cut inside the record", usual.substr(0, RecordOffset(2000) + RecordLength - 1),
         std::nullopt},
        {"no layout at all", Letters(300000, 7), std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(Locate(c.bytes), c.record) << c.name;
}

class Spanning : public testing::Test {
protected:
    // Spanning reports through the main window's boxes, here without the
    // window itself.
    void SetUp() override {
        UseCreateFront(WindowFront());
        OutputPath = package;
    }

    std::string Piece(int number) const { return PieceName(package, number); }

    TempDir dir;
    const std::string package = dir / "SETUP.EXE";
};

TEST_F(Spanning, CutsPackagesAndLeavesOtherFilesAlone) {
    const std::string stub = Letters(1000, 1);
    const std::string archiveWithRecords = Letters(20000, 4) + RecordMarker + Letters(300, 5) +
                                           std::string(StubPadding, '\0') + StubMarker +
                                           RecordMarker + Letters(300, 6);
    const std::string shortTail = Package(stub, Letters(MinimumTail - RecordLength, 2));
    const struct {
        const char* name;
        std::string bytes;
        std::optional<uint64_t> record;  // none: left as it is
    } cases[] = {
        {"under one piece", PackageOfLength(200000), RecordOffset(3000)},
        {"one piece exactly", PackageOfLength(1430000), RecordOffset(3000)},
        {"one byte over one piece", PackageOfLength(1430001), RecordOffset(3000)},
        {"two pieces exactly", PackageOfLength(2860000), RecordOffset(3000)},
        {"one byte over two pieces", PackageOfLength(2860001), RecordOffset(3000)},
        {"record marker inside the archive", Package(stub, InnerExecutable(archiveWithRecords)),
         RecordOffset(1000)},
        {"tail one byte over the minimum", shortTail + "x", RecordOffset(1000)},
        {"tail at the minimum", shortTail, std::nullopt},
        {"second copy differs", Changed(Package(stub, InnerExecutable("PK")), 1404), std::nullopt},
        {"no layout", Letters(200000, 7), std::nullopt},
    };
    DialogAnswerer noMessage(Caption, IDOK, nullptr, 3000);
    for (const auto& c : cases) {
        TempDir folder;
        OutputPath = folder / "SETUP.EXE";
        folder.MakeFile("SETUP.EXE", c.bytes);
        SpanPackage();
        if (!c.record) {
            EXPECT_EQ(FolderContents(folder.Path()), std::vector<std::string>{"SETUP.EXE"})
                << c.name;
            EXPECT_TRUE(ReadWholeFile(OutputPath) == c.bytes) << c.name;
            continue;
        }
        const auto count = static_cast<int>(PieceCount(c.bytes.size()));
        std::vector<std::string> names;
        std::string joined;
        for (int number = 1; number <= count; ++number) {
            const std::string piece = ReadWholeFile(PieceName(OutputPath, number));
            const uint64_t expected = std::min<uint64_t>(PieceSize, c.bytes.size() - joined.size());
            EXPECT_EQ(piece.size(), expected) << c.name << " piece " << number;
            joined += piece;
            names.push_back(FileNamePart(PieceName(OutputPath, number)));
        }
        EXPECT_EQ(SortedContents(folder.Path()), names) << c.name;
        EXPECT_TRUE(joined == WithCountAt(c.bytes, *c.record, count)) << c.name;
    }
    noMessage.Join();
    EXPECT_FALSE(noMessage.Seen()) << noMessage.Text();
}

TEST_F(Spanning, ReplacesOldPiecesAndKeepsHigherOnes) {
    const std::string bytes = PackageOfLength(1430001);
    dir.MakeFile("SETUP.EXE", bytes);
    dir.MakeFile("SETUP_001.exe", Letters(1500000, 8));
    dir.MakeFile("SETUP_002.exe", "old piece 2", FILE_ATTRIBUTE_READONLY);
    dir.MakeFile("SETUP_003.exe", "old piece 3");

    SpanPackage();

    EXPECT_TRUE(ReadWholeFile(Piece(1)) + ReadWholeFile(Piece(2)) ==
                WithCountAt(bytes, RecordOffset(3000), 2));
    EXPECT_EQ(ReadWholeFile(Piece(3)), "old piece 3");
    EXPECT_EQ(SortedContents(dir.Path()),
              (std::vector<std::string>{"SETUP_001.exe", "SETUP_002.exe", "SETUP_003.exe"}));
}

// An old piece that cannot be moved aside (another program holds it) stops
// the run after piece 1 was written: the run takes back that piece and the
// count, and says why. A read-only one is no hindrance: it is moved aside
// and deleted once every piece is written.
TEST_F(Spanning, FailureLeavesThePackageAsItWas) {
    const std::string bytes = PackageOfLength(2860001);
    dir.MakeFile("SETUP.EXE", bytes);
    dir.MakeFile("SETUP_002.exe", "old", FILE_ATTRIBUTE_READONLY);
    HANDLE held =
        CreateFileA(Piece(2).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    DialogAnswerer message(Caption);
    SpanPackage();
    message.Join();
    CloseHandle(held);

    EXPECT_EQ(message.Text(), "Error: 70");
    EXPECT_TRUE(message.HasIcon());
    EXPECT_TRUE(ReadWholeFile(package) == bytes);
    EXPECT_EQ(SortedContents(dir.Path()), (std::vector<std::string>{"SETUP.EXE", "SETUP_002.exe"}));
    EXPECT_EQ(ReadWholeFile(Piece(2)), "old");
}

TEST_F(Spanning, RefusesMoreThan999Pieces) {
    const std::string head = PackageOfLength(200000);
    dir.MakeFile("SETUP.EXE", head);
    const uint64_t length = 999ull * PieceSize + 1;
    {
        // Sparse: the length without writing the bytes.
        BinaryFile file = BinaryFile::OpenExistingForUpdate(package);
        file.SeekTo(length);
        file.EndHere();
    }

    DialogAnswerer message(Caption);
    SpanPackage();
    message.Join();

    EXPECT_EQ(message.Text(),
              "The installation package is too large to span: it needs 1000 pieces of 1430000 "
              "bytes, and at most 999 are possible.");
    EXPECT_TRUE(message.HasIcon());
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"SETUP.EXE"});
    BinaryFile file = BinaryFile::OpenForReading(package);
    std::string start(head.size(), '\0');
    EXPECT_EQ(file.Read(&start[0], static_cast<uint32_t>(start.size())), start.size());
    EXPECT_EQ(file.Length(), length);
    EXPECT_TRUE(start == head);
}

}  // namespace
