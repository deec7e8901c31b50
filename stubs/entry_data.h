// An entry's bytes, unpacked and checked against their CRC, handed to a
// sink piece by piece. Pure: the sink decides where the bytes go.
#ifndef STUBS_ENTRY_DATA_H
#define STUBS_ENTRY_DATA_H

#include <stdint.h>

#include "byte_source.h"
#include "zip_directory.h"

namespace stub {

class ByteSink {
public:
    virtual bool Write(const void* bytes, uint32_t length) = 0;

protected:
    // Never deleted through this interface, so the stubs need no operator
    // delete of a C++ run time.
    ~ByteSink() = default;
};

// Where an entry's bytes go when only their check counts (/T).
class DiscardSink : public ByteSink {
public:
    bool Write(const void*, uint32_t) override { return true; }
};

enum class UnpackResult {
    kOk,
    kDamaged,      // headers, compressed data or sizes do not add up
    kWrongCrc,     // the bytes are not those that were packed
    kUnsupported,  // encrypted, or a method other than stored and deflated
    kWriteFailed,  // the sink refused bytes
    kNoMemory,
};

UnpackResult UnpackEntry(ByteSource& archive, const ZipEntry& entry, ByteSink& sink);

}  // namespace stub

#endif
