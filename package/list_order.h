// The order of a sorted list box, kept without a window: the setup list and
// the start program's candidates sort this way in the window's list boxes,
// and the console builder, which may run where no window can be made, must
// give them the same order. Sorted list boxes compare their texts with the
// user's locale, ignoring case, through CompareString; so does this.
#ifndef PACKAGE_LIST_ORDER_H
#define PACKAGE_LIST_ORDER_H

#include <string>
#include <vector>

// Below 0, 0 or above 0 as a sorts before, with or after b. Each system's
// glue holds its own body.
int ListOrderCompare(const std::string& a, const std::string& b);

// Whether two names are the same text ignoring case, as the system compares
// names the user typed (lstrcmpi on Windows).
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// Inserts text where a sorted list box's LB_ADDSTRING puts it: the place a
// halving search finds, before an equal text met on the way.
void InsertInListOrder(std::vector<std::string>& list, const std::string& text);

#endif
