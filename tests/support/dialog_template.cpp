#include "dialog_template.h"

#include <gtest/gtest.h>

namespace {

class Reader {
public:
    explicit Reader(const BYTE* at) : at_(at) {}
    WORD Word() {
        WORD value;
        memcpy(&value, at_, 2);
        at_ += 2;
        return value;
    }
    DWORD Dword() {
        DWORD low = Word();
        return low | (DWORD(Word()) << 16);
    }
    // A text field: 0 (none), 0xFFFF and an ordinal, or a UTF-16 string.
    std::string Text(WORD* ordinal = nullptr) {
        WORD first = Word();
        if (first == 0xFFFF) {
            WORD value = Word();
            if (ordinal) *ordinal = value;
            return "";
        }
        std::string text;
        for (WORD c = first; c != 0; c = Word()) text += static_cast<char>(c);
        return text;
    }
    void AlignDword(const BYTE* base) {
        while ((at_ - base) % 4) ++at_;
    }

private:
    const BYTE* at_;
};

std::string PredefinedClass(WORD atom) {
    switch (atom) {
    case 0x80: return "button";
    case 0x81: return "edit";
    case 0x82: return "static";
    case 0x83: return "listbox";
    case 0x84: return "scrollbar";
    case 0x85: return "combobox";
    default: return "#" + std::to_string(atom);
    }
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

DialogTemplate LoadDialogTemplate(const char* name) {
    DialogTemplate result;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!resource) return result;
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    Reader read(base);
    result.found = true;
    result.style = read.Dword();
    read.Dword();  // extended style
    WORD count = read.Word();
    result.x = read.Word();
    result.y = read.Word();
    result.cx = read.Word();
    result.cy = read.Word();
    read.Text();  // menu
    read.Text();  // class
    result.caption = read.Text();
    if (result.style & DS_SETFONT) {
        result.fontSize = read.Word();
        result.fontName = read.Text();
    }
    for (WORD i = 0; i < count; ++i) {
        read.AlignDword(base);
        TemplateItem item;
        item.style = read.Dword();
        read.Dword();
        item.x = read.Word();
        item.y = read.Word();
        item.cx = read.Word();
        item.cy = read.Word();
        item.id = read.Word();
        WORD atom = 0;
        item.className = Lower(read.Text(&atom));
        if (item.className.empty()) item.className = PredefinedClass(atom);
        item.text = read.Text();
        WORD extra = read.Word();
        for (WORD b = 0; b < extra; b += 2) read.Word();
        result.items.push_back(item);
    }
    return result;
}

void ExpectSameTemplate(const DialogTemplate& actual, const DialogTemplate& expected) {
    ASSERT_TRUE(actual.found);
    EXPECT_EQ(actual.style, expected.style);
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.cx, expected.cx);
    EXPECT_EQ(actual.cy, expected.cy);
    EXPECT_EQ(actual.caption, expected.caption);
    EXPECT_EQ(actual.fontSize, expected.fontSize);
    EXPECT_EQ(actual.fontName, expected.fontName);
    ASSERT_EQ(actual.items.size(), expected.items.size());
    for (size_t i = 0; i < actual.items.size(); ++i) {
        const TemplateItem& item = actual.items[i];
        const TemplateItem& e = expected.items[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(item.className, e.className);
        EXPECT_EQ(item.text, e.text);
        EXPECT_EQ(item.style, e.style);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
    }
}
