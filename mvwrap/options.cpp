#include "options.h"


namespace mvwrap {

namespace {

bool ParseWord(const std::string& word, ZipOptions& options) {
    if (word.size() < 3 || word[0] != '-' || (word[1] != 'w' && word[1] != 'W')) return false;
    for (size_t i = 2; i < word.size(); ++i) {
        switch (word[i]) {
        case 'h':
        case 'H':
            options.hidden = true;
            break;
        case 's':
        case 'S':
            options.system = true;
            break;
        default:
            return false;
        }
    }
    return true;
}

}  // namespace

bool ParseOptions(const std::string& text, ZipOptions& options, std::string& badWord) {
    options = ZipOptions{};
    // Split by hand: a string stream would link the whole locale machinery
    // into the DLL, several hundred KB on a diskette.
    const char* const blanks = " \t\r\n\v\f";
    for (size_t start = text.find_first_not_of(blanks); start != std::string::npos;) {
        size_t end = text.find_first_of(blanks, start);
        std::string word = text.substr(start, end == std::string::npos ? end : end - start);
        if (!ParseWord(word, options)) {
            badWord = word;
            return false;
        }
        start = end == std::string::npos ? end : text.find_first_not_of(blanks, end);
    }
    return true;
}

bool SplitPattern(const std::wstring& pattern, std::wstring& folder, std::wstring& files) {
    std::wstring::size_type split = pattern.find_last_of(L"\\/");
    if (split == std::wstring::npos || split == 0 || split + 1 == pattern.size()) return false;
    folder = pattern.substr(0, split + 1);
    files = pattern.substr(split + 1);
    return true;
}

bool ValidLevel(int32_t level) { return level >= -1 && level <= 9; }

}  // namespace mvwrap
