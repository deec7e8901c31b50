// Text operations on paths. The system's folder separator (kPathSeparator:
// "\" on Windows, "/" natively, written "\" below) is the only separator
// and "." the only extension separator; nothing here changes case or checks validity.
// Paths are in an ANSI code page and are split by its characters, never at
// the second byte of a double-byte character; the code page's lead bytes
// are passed in (the system's by default). Pure: no platform calls, so
// every case is testable as a table.
#ifndef PACKAGE_PATH_HELPERS_H
#define PACKAGE_PATH_HELPERS_H

#include <string>

#include "ansi_code_page.h"

// Text after the last "\" (the whole text when there is none).
std::string FileNamePart(const std::string& path,
                         const text::LeadBytes& lead = text::AnsiLeadBytes());

// Text up to and including the last "\"; FolderPart + FileNamePart == path.
std::string FolderPart(const std::string& path,
                       const text::LeadBytes& lead = text::AnsiLeadBytes());

// Text after the last "." of the file name part; empty when there is none.
std::string ExtensionPart(const std::string& path,
                          const text::LeadBytes& lead = text::AnsiLeadBytes());

// File name part up to, not including, its first ".".
std::string BaseNamePart(const std::string& path,
                         const text::LeadBytes& lead = text::AnsiLeadBytes());

// Drops one trailing "\" from texts longer than 3, so "C:\" stays whole.
std::string StripBackslash(const std::string& path,
                           const text::LeadBytes& lead = text::AnsiLeadBytes());

// First 4 characters (up to 8 bytes) of a longer text; a shorter one unchanged.
std::string ShortPrefix(const std::string& text,
                        const text::LeadBytes& lead = text::AnsiLeadBytes());

// The text with one "\" appended when it does not end in one; empty stays empty.
std::string WithTrailingBackslash(const std::string& path,
                                  const text::LeadBytes& lead = text::AnsiLeadBytes());

// The text without its leading blanks; trailing ones stay.
std::string WithoutLeadingBlanks(const std::string& text);

// The text cut to its first `limit` bytes, never inside a character.
std::string CutTo(const std::string& text, std::string::size_type limit,
                  const text::LeadBytes& lead = text::AnsiLeadBytes());

#endif
