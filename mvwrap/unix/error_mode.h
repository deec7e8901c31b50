// Linux shows no box for a missing medium: a failed call is an error
// number already, so the guard has nothing to switch.
#ifndef MVWRAP_ERROR_MODE_H
#define MVWRAP_ERROR_MODE_H

namespace mvwrap {

class ErrorModeGuard {
public:
    ErrorModeGuard() {}
    ~ErrorModeGuard() {}
    ErrorModeGuard(const ErrorModeGuard&) = delete;
    ErrorModeGuard& operator=(const ErrorModeGuard&) = delete;
};

}  // namespace mvwrap

#endif
