// Remembers what each kind of failure was about (a path, an option), so that
// ZipError can name it after Zzip has returned just a number.
#ifndef MVWRAP_FAILURES_H
#define MVWRAP_FAILURES_H

#include <stdint.h>

#include <string>

#include "mvwrap.h"

namespace mvwrap {

// Records the subject of a failure and returns its number, so that callers
// can write `return Fail(...)`.
int32_t Fail(MvwrapError number, const std::wstring& subject) noexcept;

// The subject of the latest failure of that number, as ANSI text; empty when
// none has happened.
std::string FailureSubject(int number);

}  // namespace mvwrap

#endif
