#include "barrier.h"

#include <new>
#include <stdexcept>

#include "mvwrap.h"

namespace mvwrap {

int32_t CaughtError() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return MVWRAP_NO_MEMORY;
    } catch (const std::length_error&) {
        return MVWRAP_NO_MEMORY;
    } catch (...) {
        return MVWRAP_ARCHIVE_UNWRITABLE;
    }
}

}  // namespace mvwrap
