#include <gtest/gtest.h>

#include "package_format.h"

namespace {

struct RecordCase {
    const char* name;
    std::string entry, password, executable;
    int pieces;  // 0: not spanned
    // Expected fields: text at a 1-based position; everything else blanks.
    std::vector<std::pair<int, std::string>> fields;
};

std::string Expected(const RecordCase& c) {
    std::string record(RecordLength, ' ');
    for (const auto& [position, text] : c.fields) record.replace(position - 1, text.size(), text);
    return record;
}

TEST(InstallationRecord, PlacesAndOverlapsItsFields) {
    const std::string long80(85, 'e');
    const RecordCase cases[] = {
        {"usual",
         "SETUP.EXE",
         "abc",
         "SETUP.EXE",
         0,
         {{1, "SETUP.EXE"}, {60, "SETUP.EXE"}, {80, "abc"}}},
        {"password cut to 21",
         "a",
         std::string(30, 'p'),
         "",
         0,
         {{1, "a"}, {80, std::string(21, 'p')}}},
        {"executable over password",
         "",
         "password12345",
         "ABCDEFGHIJKLMNOPQRSTUVWXY",
         0,
         {{60, "ABCDEFGHIJKLMNOPQRSTUVWXY"}, {85, "ord12345"}}},
        {"empty password keeps a long entry", long80, "", "", 0, {{1, long80.substr(0, 85)}}},
        {"entry cut to 100", std::string(120, 'n'), "", "", 0, {{1, std::string(100, 'n')}}},
        {"executable cut at the end",
         "",
         "",
         std::string(50, 'x'),
         0,
         {{60, std::string(41, 'x')}}},
        {"piece count over password",
         "S",
         std::string(21, 'p'),
         "SETUP.EXE",
         12,
         {{1, "S"}, {60, "SETUP.EXE"}, {80, "pppppppppp012pppppppp"}}},
    };
    for (const RecordCase& c : cases) {
        std::string record = InstallationRecord(c.entry, c.password, c.executable);
        if (c.pieces) record = WithPieceCount(record, c.pieces);
        EXPECT_EQ(record, Expected(c)) << c.name;
    }
}

TEST(InstallationRecord, SitsAfterTwoStubsAndTheMarkers) {
    EXPECT_EQ(RecordOffset(30000), 60424u);
    EXPECT_EQ(RecordOffset(30000) + RecordLength + InnerStubLength, 158316u);
}

}  // namespace
