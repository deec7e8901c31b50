// Starting the inner executable the outer stub has just written. A virus
// scanner often holds a program file that was just written for a moment,
// and its start then fails: a sharing or lock violation, or (seen once
// under Wine) an internal error. Those are passing; the start is tried
// again, briefly, a few times. Pure.
#ifndef STUBS_START_RETRY_H
#define STUBS_START_RETRY_H

namespace stub {

// The most times the start is tried.
const int kStartTries = 5;

// Whether a start that failed with the platform's error on try number
// `tries` (counted from 1) is tried again.
inline bool StartAgain(unsigned long error, int tries) {
    const unsigned long kSharingViolation = 32, kLockViolation = 33, kInternalError = 1359;
    return tries < kStartTries &&
           (error == kSharingViolation || error == kLockViolation || error == kInternalError);
}

}  // namespace stub

#endif
