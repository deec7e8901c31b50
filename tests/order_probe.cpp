// Prints how the setup list and the zip component order every two texts of
// a file (one code-page text a line): the setup list's order (the sorted
// list box's) as one line of '<', '=' and '>' a text, then the component's
// name order the same way. Built for Windows and natively from this one
// source; native_order.py runs both in one locale and compares them.
#include <stdio.h>

#include <fstream>
#include <string>
#include <vector>

#include "ansi_text.h"
#include "list_order.h"
#include "name_order.h"

namespace {

char Sign(int compared) { return compared < 0 ? '<' : compared > 0 ? '>' : '='; }

int NameCompare(const std::wstring& a, const std::wstring& b) {
    return mvwrap::NameBefore(a, b) ? -1 : mvwrap::NameBefore(b, a) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: order_probe TEXTS\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::vector<std::string> texts;
    for (std::string line; std::getline(file, line);) texts.push_back(line);
    std::vector<std::wstring> names;
    for (const std::string& text : texts) names.push_back(mvwrap::FromAnsi(text));
    for (const std::string& a : texts) {
        std::string signs;
        for (const std::string& b : texts) signs += Sign(ListOrderCompare(a, b));
        printf("%s\n", signs.c_str());
    }
    for (const std::wstring& a : names) {
        std::string signs;
        for (const std::wstring& b : names) signs += Sign(NameCompare(a, b));
        printf("%s\n", signs.c_str());
    }
    return 0;
}
