// Reading the option text and file pattern that Zzip is given. Pure, so that
// the accepted forms can be checked with plain tables.
#ifndef MVWRAP_OPTIONS_H
#define MVWRAP_OPTIONS_H

#include <stdint.h>

#include <string>

namespace mvwrap {

struct ZipOptions {
    bool hidden = false;  // include hidden files and folders
    bool system = false;  // include system files and folders
};

// Options are blank-separated words. The one word known is "-w" followed by
// "h" and/or "s". Returns false, with the offending word in badWord, for
// anything else: an unknown letter must not be silently ignored.
bool ParseOptions(const std::string& text, ZipOptions& options, std::string& badWord);

// Splits "<folder>\<file pattern>" into the folder with its trailing
// separator and the file pattern. False when either part is empty.
bool SplitPattern(const std::wstring& pattern, std::wstring& folder, std::wstring& files);

// Levels -1 (the compressor's default), 0 (store) and 1..9.
bool ValidLevel(int32_t level);

}  // namespace mvwrap

#endif
