// The upper-casing that setup list entries are compared under: ASCII letters
// and seven code page 437 letters with diacritics map to their capitals.
#ifndef PACKAGE_UPPER_CASE_H
#define PACKAGE_UPPER_CASE_H

#include <string>

std::string UpperCased(const std::string& text);

#endif
