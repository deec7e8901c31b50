// A file's identity on Windows: its volume's serial number and its index,
// asked through an open handle (file_calls.h).
#include "path_identity.h"

#include "file_calls.h"

namespace mvwrap {

bool PathIdentity(const std::wstring& path, PathId& identity) {
    FileIdentity system;
    if (!PathIdentity(path, system)) return false;
    identity.volume = system.volume;
    identity.index = uint64_t(system.indexHigh) << 32 | system.indexLow;
    return true;
}

}  // namespace mvwrap
