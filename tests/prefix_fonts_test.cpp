// The test prefix has Wine's own fonts: without Marlett, caption buttons
// and scroll arrows are drawn as the letters "r", "0" and "1".
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace {

int CALLBACK NoteFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found) {
    reinterpret_cast<std::set<std::string>*>(found)->insert(font->lfFaceName);
    return 1;
}

TEST(PrefixFonts, HoldWineOwnFonts) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    LOGFONTA every = {};
    every.lfCharSet = DEFAULT_CHARSET;
    std::set<std::string> families;
    EnumFontFamiliesExA(screen, &every, NoteFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, screen);
    for (const char* family : {"Marlett", "Tahoma", "Symbol", "Wingdings"})
        EXPECT_EQ(families.count(family), 1u) << family;
}

}  // namespace
