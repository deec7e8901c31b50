// The order the builder gives its setup list and start program candidates
// without a window, against a real sorted list box given the same names in
// the same order.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "list_order.h"

namespace {

std::vector<std::string> ListBoxOrder(const std::vector<std::string>& names) {
    // Message-only: no broadcast from another program waits on it.
    HWND list = CreateWindowExA(0, "LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 0,
                                HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(list, nullptr);
    for (const std::string& name : names)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    std::vector<std::string> order;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = "";
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        order.emplace_back(text);
    }
    DestroyWindow(list);
    return order;
}

std::vector<std::string> BuilderOrder(const std::vector<std::string>& names) {
    std::vector<std::string> order;
    for (const std::string& name : names) InsertInListOrder(order, name);
    return order;
}

TEST(ListOrder, IsTheSortedListBoxOrder) {
    const struct {
        const char* what;
        std::vector<std::string> names;
    } cases[] = {
        {"case", {"b.exe", "A.EXE", "a.exe", "B.EXE", "setup.exe", "SETUP.EXE", "Setup.exe"}},
        {"digits", {"Disk10", "Disk2", "Disk1", "Disk 10", "Disk 1", "Disk01", "10", "9"}},
        {"punctuation",
         {"a-b", "ab",  "a_b", "a b", "a.b",  "a~b",  "a'b", "a(b)", "a!b", "a$b", "a+b",
          "a,b", "a;b", "a=b", "a@b", "a[b]", "a{b}", "a#b", "a%b",  "a&b", "a^b", "a`b"}},
        {"non-ASCII",
         {"\xC4pfel", "Apfel", "\xE4pfel", "Zebra", "\xC9t\xE9", "Ete", "\xE9t\xE9",
          "stra\xDF"
          "e",
          "strasse", "\xF1u", "nu", "\xD8l", "Ol", "\xE6r", "aer", "\x8Ax", "Sx"}},
        {"paths",
         {"C:\\Setup\\Disk2", "C:\\Setup\\Disk1", "C:\\setup\\disk 1", "C:\\Setup-Old\\Disk1",
          "C:\\Setup\\DISK10", "Z:\\a", "c:\\A"}},
        {"empty and one", {"", "x", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BuilderOrder(c.names), ListBoxOrder(c.names));
        // In every order of arrival too: equal names land where the list
        // box puts them.
        std::vector<std::string> reversed(c.names.rbegin(), c.names.rend());
        EXPECT_EQ(BuilderOrder(reversed), ListBoxOrder(reversed));
    }
}

}  // namespace
