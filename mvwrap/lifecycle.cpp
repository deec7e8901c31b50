// Starting and stopping the component, and its stored settings.
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
    if (State().running) return MVWRAP_ALREADY_RUNNING;
    State() = mvwrap::Settings{};
    State().running = true;
    return MVWRAP_OK;
}

int32_t __stdcall StopMorvane(void) {
    if (!State().running) return MVWRAP_NOT_RUNNING;
    State().running = false;
    return MVWRAP_OK;
}

int32_t __stdcall SetRetryOptions(const int16_t* count, const int32_t* seconds) {
    if (!State().running) return MVWRAP_NOT_RUNNING;
    State().retryCount = *count;
    State().retrySeconds = *seconds;
    return MVWRAP_OK;
}

int32_t __stdcall SetSearchLimit(const int16_t* depth) {
    if (!State().running) return MVWRAP_NOT_RUNNING;
    State().searchLimit = *depth;
    return MVWRAP_OK;
}
