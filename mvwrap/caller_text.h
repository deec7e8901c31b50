// Texts handed to callers, allocated as the interface promises: with
// LocalAlloc on Windows, freed by the caller with LocalFree; natively with
// malloc, freed with free (windows/caller_text.cpp, unix/caller_text.cpp).
#ifndef MVWRAP_CALLER_TEXT_H
#define MVWRAP_CALLER_TEXT_H

namespace mvwrap {

// A copy of text for the caller; null only when memory ran out.
char* CallerText(const char* text) noexcept;

}  // namespace mvwrap

#endif
