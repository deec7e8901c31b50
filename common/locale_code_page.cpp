#include "locale_code_page.h"

#include <string.h>

namespace text {

namespace {

struct LanguageCodePage {
    const char* language;  // "zh_TW": language and territory; "ru": the language alone
    unsigned codePage;
};

// Chinese is told apart by its territory; the longer names come first.
const LanguageCodePage kCodePages[] = {
    {"zh_TW", 950}, {"zh_HK", 950}, {"zh_MO", 950}, {"zh", 936},  {"ja", 932},  {"ko", 949},
    {"ru", 1251},   {"uk", 1251},   {"be", 1251},   {"bg", 1251}, {"mk", 1251}, {"sr", 1251},
    {"kk", 1251},   {"ky", 1251},   {"tt", 1251},   {"mn", 1251}, {"pl", 1250}, {"cs", 1250},
    {"sk", 1250},   {"hu", 1250},   {"hr", 1250},   {"sl", 1250}, {"ro", 1250}, {"sq", 1250},
    {"bs", 1250},   {"el", 1253},   {"tr", 1254},   {"az", 1254}, {"uz", 1254}, {"he", 1255},
    {"yi", 1255},   {"ar", 1256},   {"fa", 1256},   {"ur", 1256}, {"lt", 1257}, {"lv", 1257},
    {"et", 1257},   {"vi", 1258},   {"th", 874},
};

}  // namespace

unsigned LocaleCodePage(const char* locale) {
    for (const LanguageCodePage& entry : kCodePages) {
        size_t length = strlen(entry.language);
        // The name goes on with a territory, a code set or a modifier, or ends.
        if (strncmp(locale, entry.language, length) == 0 && strchr("_.@", locale[length]))
            return entry.codePage;
    }
    return 1252;
}

}  // namespace text
