// Counting and cutting in characters of a code page: the builder's
// /PASSWORD: and the password field allow 39 characters, double-byte ones
// included, and a cut never splits one.
#include <gtest/gtest.h>

#include <string>

#include "text_characters.h"

namespace {

// Code page 932's lead bytes, as Windows gives them; 1252 has none.
text::LeadBytes LeadBytesOf(unsigned codePage) {
    text::LeadBytes lead;
    if (codePage == 932) {
        lead.Add(0x81, 0x9F);
        lead.Add(0xE0, 0xFC);
    }
    return lead;
}

TEST(TextCharacters, CountAndCutWholeCharacters) {
    // In code page 932 0x82 leads a two-byte character; 0x41 is "A"; 0xB1 is
    // a one-byte katakana. Code page 1252 has no lead bytes.
    const std::string kana = "\x82\xA0";
    std::string thirtyNine;
    for (int i = 0; i < 39; ++i) thirtyNine += kana;
    const struct {
        const char* what;
        unsigned codePage;
        std::string text;
        size_t count;
        size_t cutTo;
        std::string cut;
    } cases[] = {
        {"empty", 932, "", 0, 39, ""},
        {"single bytes", 932,
         "A\xB1"
         "B",
         3, 2, "A\xB1"},
        {"39 double-byte characters", 932, thirtyNine, 39, 39, thirtyNine},
        {"40 double-byte characters", 932, thirtyNine + kana, 40, 39, thirtyNine},
        {"mixed", 932, "A" + kana + "B" + kana, 4, 2, "A" + kana},
        {"a cut before a double-byte character", 932, "AB" + kana, 3, 2, "AB"},
        {"a lone lead byte at the end", 932, "A\x82", 2, 39, "A\x82"},
        {"the same bytes where nothing leads", 1252, thirtyNine, 78, 39, thirtyNine.substr(0, 39)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CharacterCount(c.text, LeadBytesOf(c.codePage)), c.count);
        EXPECT_EQ(CutToCharacters(c.text, c.cutTo, LeadBytesOf(c.codePage)), c.cut);
    }
}

}  // namespace
