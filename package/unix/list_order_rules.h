// What the list box's comparison weighs otherwise than ICU's collator, as
// data the native list order is built from: the order of punctuation and
// symbols, the letters and digits it places elsewhere, and the characters it
// weighs only when all else is equal. Taken from the order a sorted list box
// gives under Wine, so that the native builder lists setup folders, and so
// writes packages, as the Windows one does.
#ifndef PACKAGE_UNIX_LIST_ORDER_RULES_H
#define PACKAGE_UNIX_LIST_ORDER_RULES_H

#include <unicode/unistr.h>

// ICU tailoring rules with the locale's own: these after the list box's
// table, so that the locale wins where it has an order of its own (Swedish
// å after z), as it does in the list box; the kana signs, which the list
// box places otherwise than ICU's Japanese order, after them.
icu::UnicodeString ListOrderRules(const icu::UnicodeString& localeRules, bool japanese);

// The rank of a character weighed only after everything else (hyphens,
// apostrophe), lowest first; -1 for any other character.
int LastLevelRank(char16_t c);

// A character the comparison skips as if it were not there.
bool Ignorable(char16_t c);

#endif
