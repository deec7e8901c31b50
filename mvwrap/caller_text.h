// Texts handed to callers: allocated with LocalAlloc, as the interface
// promises, so that the caller frees them with LocalFree.
#ifndef MVWRAP_CALLER_TEXT_H
#define MVWRAP_CALLER_TEXT_H

namespace mvwrap {

// A copy of text for the caller; null only when memory ran out.
char* CallerText(const char* text) noexcept;

}  // namespace mvwrap

#endif
