// The list box's order natively. A sorted list box compares its texts with
// CompareString in the user's locale, case ignored; the native builder must
// list setup folders in that same order, or its packages are not the same
// bytes. That comparison goes in levels, each across the whole text:
//   1. letters, digits and symbols (symbols before digits before letters),
//   2. accents,
//   3. forms: narrow before wide before raised or circled digits; then for
//      kana small before large, as written before repeated by a mark,
//      katakana before hiragana, narrow before wide,
//   4. hyphens and the apostrophe, by where they stand and which they are.
// ICU's collator, tailored by list_order_rules, gives the first two; the
// others are weighed here. Case counts nowhere.
#include "list_order.h"

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <vector>

#include <unicode/coleitr.h>
#include <unicode/locid.h>
#include <unicode/tblcoll.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include "locale_code_page.h"
#include "list_order_rules.h"

namespace {

// The user's locale as Wine takes it: from the locale of messages, not of
// collation, so LC_ALL, LC_MESSAGES or LANG; "C" stands for en_US.
std::string UserLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(name);
        if (!value || !*value) continue;
        const std::string locale(value, strcspn(value, ".@"));
        return locale == "C" || locale == "POSIX" ? "en_US" : locale;
    }
    return "en_US";
}

// The list box compares in the user locale's own code page, which is the
// ANSI one unless LC_CTYPE names another locale than LC_MESSAGES.
icu::UnicodeString Wide(const std::string& text) {
    static const std::string codePage =
        "windows-" + std::to_string(text::LocaleCodePage(UserLocale().c_str()));
    return icu::UnicodeString(text.data(), static_cast<int32_t>(text.size()), codePage.c_str());
}

// The locale's collator with the list box's differences; its scripts in
// Unicode's order, as the list box keeps them whatever the locale.
const icu::RuleBasedCollator* Collator() {
    static const std::unique_ptr<icu::RuleBasedCollator> collator = [] {
        const icu::Locale locale(UserLocale().c_str());
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Collator> base(icu::Collator::createInstance(locale, status));
        auto* based = dynamic_cast<icu::RuleBasedCollator*>(base.get());
        if (U_FAILURE(status) || !based) return std::unique_ptr<icu::RuleBasedCollator>();
        const icu::UnicodeString rules =
            ListOrderRules(based->getRules(), std::string(locale.getLanguage()) == "ja");
        auto made = std::make_unique<icu::RuleBasedCollator>(rules, icu::Collator::SECONDARY,
                                                             UCOL_DEFAULT, status);
        made->setReorderCodes(nullptr, 0, status);
        if (U_FAILURE(status)) return std::unique_ptr<icu::RuleBasedCollator>();
        return made;
    }();
    return collator.get();
}

bool IsKana(char16_t c) { return (c >= 0x3041 && c <= 0x30FA) || (c >= 0xFF66 && c <= 0xFF9D); }

bool IsHiragana(char16_t c) { return c >= 0x3041 && c <= 0x309F; }

bool IsSmallKana(char16_t c) {
    static const char16_t kSmall[] = u"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶｧｨｩｪｫｬｭｮｯ";
    for (const char16_t* small = kSmall; *small; ++small)
        if (*small == c) return true;
    return false;
}

bool IsVoicingMark(char16_t c) { return c == 0x309B || c == 0x309C || c == 0xFF9E || c == 0xFF9F; }

// Marks that stand for the character before them: the long vowel mark,
// the iteration marks and the dash 932 holds in their place.
bool IsRepeatMark(char16_t c) {
    return c == 0x30FC || c == 0xFF70 || c == 0x2015 || c == 0x3005 ||
           (c >= 0x309D && c <= 0x309E) || (c >= 0x30FD && c <= 0x30FE);
}

bool IsNarrowKana(char16_t c) { return c >= 0xFF61 && c <= 0xFF9F; }

// Of all but kana: narrow, wide, then raised or circled digits.
int Form(char16_t c) {
    if (c == u'¹' || c == u'²' || c == u'³' || (c >= 0x2460 && c <= 0x2468)) return 2;
    if (c >= 0x3041 && c <= 0x30FF) return 0;
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF01 && c <= 0xFFEF && !IsNarrowKana(c)) ? 1 : 0;
}

// The weights of level 3, in the order the level compares them.
struct KanaWeights {
    int form, large, repeated, hiragana, kanaWidth;
};

const KanaWeights kPlain = {0, 1, 0, 0, 1};

KanaWeights WeightsOf(char16_t c) {
    return {Form(c), !IsSmallKana(c), 0, IsHiragana(c), !IsNarrowKana(c)};
}

struct LastLevelMark {
    int32_t at;  // where in the rest it stood
    int rank;
};

// A text split into what the collator weighs, with the level 3 weights of
// each of its units, and what is weighed last.
struct Parts {
    icu::UnicodeString rest;
    std::vector<KanaWeights> kana;
    std::vector<LastLevelMark> marks;

    void Add(char16_t c, KanaWeights weights) {
        rest += c;
        kana.push_back(weights);
    }
};

// A repeat mark after kana is that kana again (the long vowel mark its
// vowel, which the collator knows), weighed after the kana it repeats, the
// long vowel mark after the iteration marks; the ideographs' iteration mark
// there repeats the kana with an accent of its own. After anything else a
// repeat mark is that character, a hyphen or apostrophe then weighing as
// the first of symbols. With nothing to repeat it sorts after everything,
// as U+FFFF does in the collator.
// Returns what a repeat mark after this one repeats.
char16_t AddRepeatMark(Parts& parts, char16_t before, char16_t mark) {
    if (!before) {
        parts.Add(u'\uFFFF', kPlain);
        return 0;
    }
    if (!IsKana(before) && before != u'ー') {
        parts.Add(before, kPlain);
        return before;
    }
    KanaWeights weights = parts.kana.back();
    if (mark == u'々') {
        parts.Add(before, weights);
        parts.Add(mark, kPlain);
        return before;
    }
    const bool longVowel = mark == 0x30FC || mark == 0xFF70 || mark == 0x2015;
    weights.repeated = longVowel ? 2 : 1;
    weights.hiragana = IsHiragana(mark);
    weights.kanaWidth = !IsNarrowKana(mark);
    if (longVowel) {
        parts.Add(u'ー', weights);
        return u'ー';
    }
    parts.Add(before, weights);
    if (mark == 0x309E || mark == 0x30FE) parts.Add(0x3099, kPlain);  // voiced
    return before;
}

Parts Split(const icu::UnicodeString& text) {
    Parts parts;
    char16_t before = 0;  // what a repeat mark here would repeat
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t c = text[i];
        if (Ignorable(c)) continue;
        if (IsRepeatMark(c)) {
            before = AddRepeatMark(parts, before, c);
        } else if (IsVoicingMark(c)) {
            parts.Add(c, kPlain);  // an accent, after kana or alone, whatever its width
        } else if (const int rank = LastLevelRank(c); rank >= 0) {
            parts.marks.push_back({parts.rest.length(), rank});
            before = c;
        } else {
            parts.Add(c, WeightsOf(c));
            before = c;
        }
    }
    return parts;
}

// Level 3, each of its weights across the whole text in turn.
int CompareKana(const Parts& a, const Parts& b) {
    for (int KanaWeights::*weight :
         {&KanaWeights::form, &KanaWeights::large, &KanaWeights::repeated, &KanaWeights::hiragana,
          &KanaWeights::kanaWidth}) {
        for (size_t i = 0; i < a.kana.size() && i < b.kana.size(); ++i)
            if (a.kana[i].*weight != b.kana[i].*weight)
                return a.kana[i].*weight < b.kana[i].*weight ? -1 : 1;
    }
    return 0;
}

// How many primary weights the collator gives the first `end` units of
// text: the place of a last-level mark counts letters as the collator
// counts them (æ as two).
int32_t PrimaryCount(const icu::UnicodeString& text, int32_t end) {
    const icu::UnicodeString head = text.tempSubString(0, end);
    std::unique_ptr<icu::CollationElementIterator> elements(
        Collator()->createCollationElementIterator(head));
    int32_t count = 0;
    UErrorCode status = U_ZERO_ERROR;
    for (int32_t element;
         (element = elements->next(status)) != icu::CollationElementIterator::NULLORDER;) {
        // A weight too long for one element goes on in the next, marked so.
        const bool continuation = (element & 0xC0) == 0xC0;
        if (!continuation && icu::CollationElementIterator::primaryOrder(element) != 0) ++count;
    }
    return count;
}

// Level 4: the marks in text order, one that stands later before one that
// stands earlier, then by rank; fewer marks before more.
int CompareLastLevel(const Parts& a, const Parts& b) {
    for (size_t i = 0; i < a.marks.size() && i < b.marks.size(); ++i) {
        const int32_t atA = PrimaryCount(a.rest, a.marks[i].at);
        const int32_t atB = PrimaryCount(b.rest, b.marks[i].at);
        if (atA != atB) return atA > atB ? -1 : 1;
        if (a.marks[i].rank != b.marks[i].rank) return a.marks[i].rank < b.marks[i].rank ? -1 : 1;
    }
    return a.marks.size() < b.marks.size() ? -1 : a.marks.size() > b.marks.size() ? 1 : 0;
}

}  // namespace

int ListOrderCompare(const std::string& a, const std::string& b) {
    const icu::RuleBasedCollator* collator = Collator();
    if (!collator) return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
    const Parts partsA = Split(Wide(a)), partsB = Split(Wide(b));
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result = collator->compare(partsA.rest, partsB.rest, status);
    // A failed compare sorts as "before", as the list box takes it.
    if (U_FAILURE(status)) return -1;
    if (result != UCOL_EQUAL) return result == UCOL_GREATER ? 1 : -1;
    if (const int kana = CompareKana(partsA, partsB)) return kana;
    return CompareLastLevel(partsA, partsB);
}

// The system takes two names for one as the list box finds them equal.
bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    return ListOrderCompare(a, b) == 0;
}
