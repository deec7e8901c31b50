// The one place where faults inside an export end. Every export runs its
// work through Guarded: the platform's critical-error box is off while the
// work runs (a drive without its diskette is an error number, not a dialog)
// and the caller's own mode comes back afterwards; and no C++ exception
// reaches the caller, which need not be C++ at all and would be ended by one.
#ifndef MVWRAP_BARRIER_H
#define MVWRAP_BARRIER_H

#include <stdint.h>

#include "error_mode.h"

namespace mvwrap {

// The error number for the exception being handled: out of memory, or any
// other fault, after which the archive is as it was.
int32_t CaughtError() noexcept;

// Returns work(), or fallback(error number) when work throws.
template <typename Work, typename Fallback>
auto Guarded(Work work, Fallback fallback) noexcept -> decltype(work()) {
    try {
        ErrorModeGuard quiet;
        return work();
    } catch (...) {
        return fallback(CaughtError());
    }
}

}  // namespace mvwrap

#endif
