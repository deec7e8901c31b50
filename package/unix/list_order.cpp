// The list box's order natively: the texts, converted from the code page
// to UTF-16, compared by ICU's collator for the locale the code page came
// from, case ignored (secondary strength: accents count, case does not), as
// a sorted list box compares its texts through CompareString. Texts that
// collate as equal keep the byte order's tie-break out, so equal stays
// equal as it does for the list box.
#include "list_order.h"

#include <stdlib.h>

#include <memory>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include "ansi_code_page.h"

namespace {

icu::UnicodeString Wide(const std::string& text) {
    const std::string codePage = "windows-" + std::to_string(text::AnsiCodePage());
    return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()), codePage.c_str());
}

// The user's locale as Wine takes it: LC_ALL, LC_CTYPE or LANG.
icu::Locale UserLocale() {
    for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = getenv(name);
        if (!value || !*value) continue;
        std::string locale = value;
        locale = locale.substr(0, locale.find_first_of(".@"));
        if (locale == "C" || locale == "POSIX") break;
        return icu::Locale(locale.c_str());
    }
    return icu::Locale("en_US");
}

const icu::Collator* Collator() {
    static const std::unique_ptr<icu::Collator> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> made(icu::Collator::createInstance(UserLocale(), status));
        if (U_FAILURE(status)) return std::unique_ptr<icu::Collator>();
        made->setStrength(icu::Collator::SECONDARY);
        return made;
    }();
    return collator.get();
}

}  // namespace

int ListOrderCompare(const std::string& a, const std::string& b) {
    const icu::Collator* collator = Collator();
    if (!collator) return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = collator->compare(Wide(a), Wide(b), status);
    // A failed compare sorts as "before", as the list box takes it.
    if (U_FAILURE(status)) return -1;
    return result == UCOL_EQUAL ? 0 : result == UCOL_GREATER ? 1 : -1;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return Wide(a).caseCompare(Wide(b), U_FOLD_CASE_DEFAULT) == 0;
}
