#include <gtest/gtest.h>

#include "upper_case.h"

namespace {

TEST(UpperCased, MapsLettersAndTheSevenExtraBytes) {
    struct Case {
        unsigned char in, out;
    } cases[] = {
        {'a', 'A'},
        {'z', 'Z'},
        {'A', 'A'},
        {'0', '0'},
        {'\\', '\\'},
        {'{', '{'},
        {0x84, 0x8E},
        {0x94, 0x99},
        {0x81, 0x9A},
        {0x82, 0x90},
        {0xA4, 0xA5},
        {0x86, 0x8F},
        {0x87, 0x80},
        // Bytes that are lower-case letters in other code pages stay as they are.
        {0xE4, 0xE4},
        {0xFC, 0xFC},
        {0x8E, 0x8E},
        {0x91, 0x91},
        {0xFF, 0xFF},
    };
    for (const Case& c : cases) {
        std::string in(1, static_cast<char>(c.in));
        EXPECT_EQ(UpperCased(in), std::string(1, static_cast<char>(c.out)))
            << std::hex << int(c.in);
    }
}

TEST(UpperCased, KeepsLengthAndOtherBytes) {
    EXPECT_EQ(UpperCased("c:\\setup\\Disk1"), "C:\\SETUP\\DISK1");
    EXPECT_EQ(UpperCased(""), "");
}

}  // namespace
