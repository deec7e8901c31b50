// Starting and stopping the component, and its stored settings.
#include "ansi_text.h"
#include "barrier.h"
#include "failures.h"
#include "mvwrap.h"
#include "state.h"

namespace mvwrap {

Settings& State() {
    static Settings settings;
    return settings;
}

}  // namespace mvwrap

using mvwrap::State;

int32_t __stdcall RunMorvane(void) {
    return mvwrap::Guarded(
        [] {
            if (State().running) return int32_t{MVWRAP_ALREADY_RUNNING};
            State() = mvwrap::Settings{};
            State().running = true;
            return int32_t{MVWRAP_OK};
        },
        [](int32_t error) { return error; });
}

int32_t __stdcall StopMorvane(void) {
    return mvwrap::Guarded(
        [] {
            if (!State().running) return int32_t{MVWRAP_NOT_RUNNING};
            State().running = false;
            State().leftOut.clear();
            return int32_t{MVWRAP_OK};
        },
        [](int32_t error) { return error; });
}

int32_t __stdcall SetRetryOptions(const int16_t* count, const int32_t* seconds) {
    return mvwrap::Guarded(
        [&] {
            if (!State().running) return int32_t{MVWRAP_NOT_RUNNING};
            if (!count || !seconds) return mvwrap::Fail(MVWRAP_BAD_ARGUMENT, L"");
            State().retryCount = *count;
            State().retrySeconds = *seconds;
            return int32_t{MVWRAP_OK};
        },
        [](int32_t error) { return error; });
}

int32_t __stdcall SetSearchLimit(const int16_t* depth) {
    return mvwrap::Guarded(
        [&] {
            if (!State().running) return int32_t{MVWRAP_NOT_RUNNING};
            if (!depth) return mvwrap::Fail(MVWRAP_BAD_ARGUMENT, L"");
            State().searchLimit = *depth;
            return int32_t{MVWRAP_OK};
        },
        [](int32_t error) { return error; });
}

int32_t __stdcall LeaveOut(const char* path) {
    return mvwrap::Guarded(
        [&] {
            if (!State().running) return int32_t{MVWRAP_NOT_RUNNING};
            if (!path) return mvwrap::Fail(MVWRAP_BAD_ARGUMENT, L"");
            if (*path)
                State().leftOut.push_back(mvwrap::FromAnsi(path));
            else
                State().leftOut.clear();
            return int32_t{MVWRAP_OK};
        },
        [](int32_t error) { return error; });
}
