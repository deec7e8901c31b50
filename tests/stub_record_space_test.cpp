// The installation record's whole space, as one table: every start program
// name length the record can meet, with and without Span, with passwords
// that fit, that reach the piece count and that run past the record, in an
// archive of its own and among names that begin the same way. What Create
// decides and what the stubs read are held against a model of the writer
// written here: the record names a start program when no other archived
// name would have left the same record, and a typed password is right when
// it would have left the same record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install_record.h"
#include "package_constants.h"
#include "package_layout.h"
#include "record_room.h"
#include "stub_packages.h"

namespace {

const char kEntry[] = "z.txt";

// A start program name of exactly length characters, path-like.
std::string StartName(size_t length) {
    const std::string path = "INSTALL\\ENGLISH\\WIN32\\DISK1\\PROGRAMS\\SETUPFILES\\LAUNCHER\\";
    if (length < 5) return std::string("SETUP").substr(0, length);
    return path.substr(0, length - 4) + ".EXE";
}

std::string WithCharacter(std::string name, size_t at, char c) {
    name[at] = name[at] == c ? char(c + 1) : c;
    return name;
}

// Positions 90 to 92 of a spanned package's record hold the piece count.
bool Shown(size_t offset, bool spanned) {
    return !spanned || offset < RecordPieceCountOffset || offset >= RecordPieceCountOffset + 3;
}

bool SameAsShown(const std::string& a, const std::string& b, bool spanned) {
    for (size_t i = 0; i < RecordLength; ++i)
        if (Shown(i, spanned) && a[i] != b[i]) return false;
    return true;
}

// The model: what Create must decide, from the records the writer makes.
stub::RecordRoom ModelRoom(const std::string& start, const std::string& password,
                           const std::vector<std::string>& names, bool spanned) {
    if (!password.empty() && start.size() > 20) return stub::RecordRoom::kStartHidesPassword;
    const std::string written = TestRecord(kEntry, password, start);
    for (const std::string& other : names)
        if (other != start && SameAsShown(TestRecord(kEntry, password, other), written, spanned))
            return stub::RecordRoom::kStartAmbiguous;
    return stub::RecordRoom::kFits;
}

std::vector<const char*> Pointers(const std::vector<std::string>& names) {
    std::vector<const char*> pointers;
    for (const std::string& name : names) pointers.push_back(name.c_str());
    return pointers;
}

// A package of the record, padded with a stored file to exactly length.
std::string PackageOfLength(const std::string& record, size_t length) {
    const std::string outer = OuterStub(), inner = InnerStub();
    const size_t around = InnerOffset(outer.size()) + inner.size();
    const size_t zipOverhead = StoredZip({{"a", ""}}).size();
    return TestPackage(outer, inner,
                       StoredZip({{"a", std::string(length - around - zipOverhead, 'q')}}), record);
}

TEST(StubRecordSpace, CreateRefusesWhatTheStubsWouldMisreadAndTheStubsReadTheRest) {
    const std::vector<std::string> passwords = {"",
                                                "p",
                                                "abcdefghij",
                                                "abcdefghij123",
                                                "abcdefghijklmnopqrstu",
                                                "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLM"};
    int fits = 0, refused = 0;
    for (size_t length = 1; length <= 60; ++length) {
        const std::string start = StartName(length);
        for (bool crowded : {false, true}) {
            // Names that begin like the start program: one of its length with
            // its last character changed, one a character longer, and one
            // that differs where the piece count stands.
            std::vector<std::string> names = {"README.TXT", start, kEntry};
            if (crowded) {
                names.push_back(WithCharacter(start, length - 1, 'Q'));
                names.push_back(start + "X");
                if (length >= 32) names.push_back(WithCharacter(start, 31, 'Q'));
            }
            const std::vector<const char*> pointers = Pointers(names);
            const int count = int(names.size());
            for (bool spanned : {false, true}) {
                for (const std::string& password : passwords) {
                    SCOPED_TRACE(testing::Message()
                                 << "start " << start << (crowded ? " among others" : "")
                                 << (spanned ? ", spanned" : "") << ", password \"" << password
                                 << "\"");
                    int instead = -2;
                    const stub::RecordRoom room =
                        stub::CheckRecordRoom(kEntry, password.c_str(), start.c_str(),
                                              pointers.data(), count, spanned, instead);
                    ASSERT_EQ(int(room), int(ModelRoom(start, password, names, spanned)));

                    std::string record = TestRecord(kEntry, password, start);
                    if (spanned) record.replace(RecordPieceCountOffset, 3, "002");
                    const char* r = record.data();
                    const int found = stub::FindStartProgram(r, pointers.data(), count, spanned);
                    const bool asked =
                        stub::RecordHasPassword(r, pointers.data(), count, found, spanned);
                    if (room == stub::RecordRoom::kStartAmbiguous) {
                        // Create refuses what the stubs would indeed misread.
                        EXPECT_NE(found, 1);
                        EXPECT_EQ(instead, found);
                        ++refused;
                        continue;
                    }
                    if (room == stub::RecordRoom::kStartHidesPassword) {
                        // ... and a password of which the record would lose a part, even
                        // where the start program is read right.
                        const std::string wrong = WithCharacter(password, 0, 'Z');
                        EXPECT_TRUE(
                            !stub::RecordHasPassword(r, pointers.data(), count, 1, spanned) ||
                            stub::PasswordMatches(r, wrong.c_str(), pointers.data(), count, 1,
                                                  spanned));
                        ++refused;
                        continue;
                    }
                    ++fits;
                    ASSERT_EQ(found, 1);
                    EXPECT_EQ(stub::RecordNamesStartProgram(r, pointers.data(), count), true);
                    ASSERT_EQ(asked, !password.empty());
                    if (password.empty()) continue;
                    const std::string written = TestRecord(kEntry, password, start);
                    for (const std::string& typed :
                         {password, WithCharacter(password, 0, 'Z'), password.substr(0, 21),
                          password + "x", password.substr(0, password.size() - 1),
                          password.size() > 11 ? WithCharacter(password, 11, '7') : password}) {
                        if (typed.empty()) continue;
                        const bool right =
                            SameAsShown(TestRecord(kEntry, typed, start), written, spanned);
                        EXPECT_EQ(stub::PasswordMatches(r, typed.c_str(), pointers.data(), count,
                                                        found, spanned),
                                  right)
                            << "typed " << typed;
                    }
                    // A whole package exactly a piece long is whole, however its
                    // password's 11th to 13th characters read; a first piece of
                    // that length is the first of the count.
                    if (password.size() == 13 && !spanned && length < 5 && !crowded) {
                        const std::string whole = PackageOfLength(written, PieceSize);
                        stub::MemorySource wholeSource(whole.data(), uint32_t(whole.size()));
                        EXPECT_EQ(stub::PiecesOf(wholeSource, uint32_t(OuterStub().size()), r), 1);
                        std::string cut = PackageOfLength(written, PieceSize + 1000);
                        cut = TestPieces(cut, RecordOffset(OuterStub().size()))[0];
                        const std::string firstRecord =
                            cut.substr(RecordOffset(OuterStub().size()), RecordLength);
                        stub::MemorySource firstSource(cut.data(), uint32_t(cut.size()));
                        EXPECT_EQ(stub::PiecesOf(firstSource, uint32_t(OuterStub().size()),
                                                 firstRecord.data()),
                                  2);
                    }
                }
            }
        }
    }
    // The space holds both outcomes in number.
    EXPECT_GT(fits, 300);
    EXPECT_GT(refused, 300);
}

}  // namespace
