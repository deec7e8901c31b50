// The Linux glue's code page work, against what Windows gives for the same
// bytes: capitals as file names compare (a capital that does not lower-case
// back to its letter is not taken), and "?" for a character a code page lacks.
#include <gtest/gtest.h>

#include <string>

#include "ansi_code_page.h"
#include "code_pages.h"
#include "unix/ansi_code_page_choice.h"

namespace {

struct CapitalsCase {
    unsigned codePage;
    std::string text, capitals;
};

TEST(UnixCodePages, CapitalsAreThoseWindowsGives) {
    const CapitalsCase cases[] = {
        {1252, "caf\xe9 \xff.txt", "CAF\xc9 \x9f.TXT"},  // é, ÿ to É, Ÿ
        {1252, "\xb5", "\xb5"},                          // the micro sign stays
        {1254, "\xfd i", "\xfd I"},                      // the dotless i stays
        {1251, "\xe4\xe0", "\xc4\xc0"},                  // Cyrillic
        {932, "\x82\x81 a", "\x82\x60 A"},               // full-width a
        {932, "\x83\x5c", "\x83\x5c"},                   // a second byte "\" is no letter
    };
    for (const CapitalsCase& c : cases) {
        ASSERT_TRUE(text::ChooseAnsiCodePage(c.codePage));
        std::string text = c.text;
        stub::UpperCaseAnsi(&text[0], text.size());
        EXPECT_EQ(text, c.capitals) << c.codePage << " " << c.text;
    }
    text::ChooseAnsiCodePage(1252);
}

TEST(UnixCodePages, ALackingCharacterBecomesAQuestionMark) {
    const uint16_t wide[] = {'a', 0x0414, 0xD83D, 0xDE00, 'b', 0};  // a, De, an emoji, b
    char bytes[16];
    ASSERT_TRUE(stub::WideToCodePage(1252, wide, bytes, sizeof bytes));
    EXPECT_STREQ(bytes, "a??b");
    EXPECT_FALSE(stub::WideToCodePage(1252, wide, bytes, 3)) << "the room is too small";
}

}  // namespace
