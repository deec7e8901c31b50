// Linux shows no box for a missing disk or an unopenable file: the guard
// that switches Windows' boxes off has nothing to do here.
#ifndef PACKAGE_QUIET_ERRORS_H
#define PACKAGE_QUIET_ERRORS_H

class QuietErrorMode {
public:
    QuietErrorMode() {}
    ~QuietErrorMode() {}
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;
};

#endif
