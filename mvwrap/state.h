// The component's settings and running state, shared by its operations.
// All calls come from one thread, one at a time, so no locking is needed.
#ifndef MVWRAP_STATE_H
#define MVWRAP_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

namespace mvwrap {

struct Settings {
    bool running = false;
    int16_t retryCount = 1;
    int32_t retrySeconds = 0;
    int16_t searchLimit = -1;
    // Files the following Zzip calls never pack (LeaveOut), as passed.
    std::vector<std::wstring> leftOut;
    // Entry names of the archive ZipCount read last, as Zipped gives them.
    std::vector<std::string> listing;
};

Settings& State();

}  // namespace mvwrap

#endif
