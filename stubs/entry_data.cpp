// Unpacking with zlib's raw inflate through two fixed buffers, so memory use
// does not grow with the entry.
#include "entry_data.h"

#include <stdlib.h>
#include <zlib.h>

namespace stub {

namespace {

const uint32_t kInputBlock = 16384;
const uint32_t kOutputBlock = 32768;

UnpackResult CopyStored(ByteSource& archive, uint32_t at, const ZipEntry& entry, ByteSink& sink,
                        uint8_t* buffer, uLong& crc) {
    if (entry.packedSize != entry.size) return UnpackResult::kDamaged;
    for (uint32_t done = 0; done < entry.size;) {
        uint32_t block = entry.size - done < kOutputBlock ? entry.size - done : kOutputBlock;
        if (!archive.Read(at + done, buffer, block)) return UnpackResult::kDamaged;
        crc = crc32(crc, buffer, block);
        if (!sink.Write(buffer, block)) return UnpackResult::kWriteFailed;
        done += block;
    }
    return UnpackResult::kOk;
}

UnpackResult Inflate(ByteSource& archive, uint32_t at, const ZipEntry& entry, ByteSink& sink,
                     uint8_t* input, uint8_t* output, uLong& crc) {
    z_stream stream = {};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return UnpackResult::kNoMemory;
    UnpackResult result = UnpackResult::kOk;
    uint32_t readSoFar = 0, written = 0;
    int status = Z_OK;
    while (status != Z_STREAM_END && result == UnpackResult::kOk) {
        // Input runs out only with data still owed: inflate then says it
        // cannot go on, which ends the loop as damage.
        if (stream.avail_in == 0 && readSoFar < entry.packedSize) {
            uint32_t left = entry.packedSize - readSoFar;
            uint32_t block = left < kInputBlock ? left : kInputBlock;
            if (!archive.Read(at + readSoFar, input, block)) {
                result = UnpackResult::kDamaged;
                break;
            }
            readSoFar += block;
            stream.next_in = input;
            stream.avail_in = block;
        }
        stream.next_out = output;
        stream.avail_out = kOutputBlock;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) {
            result = status == Z_MEM_ERROR ? UnpackResult::kNoMemory : UnpackResult::kDamaged;
            break;
        }
        uint32_t produced = kOutputBlock - stream.avail_out;
        if (produced > entry.size - written) {
            result = UnpackResult::kDamaged;
            break;
        }
        crc = crc32(crc, output, produced);
        written += produced;
        if (produced && !sink.Write(output, produced)) result = UnpackResult::kWriteFailed;
    }
    if (result == UnpackResult::kOk && written != entry.size) result = UnpackResult::kDamaged;
    inflateEnd(&stream);
    return result;
}

}  // namespace

UnpackResult UnpackEntry(ByteSource& archive, const ZipEntry& entry, ByteSink& sink) {
    if (entry.flags & 0x0001) return UnpackResult::kUnsupported;
    if (entry.method != 0 && entry.method != 8) return UnpackResult::kUnsupported;
    uint32_t at;
    if (!EntryDataOffset(archive, entry, at)) return UnpackResult::kDamaged;
    uint8_t* input = static_cast<uint8_t*>(malloc(kInputBlock));
    uint8_t* output = static_cast<uint8_t*>(malloc(kOutputBlock));
    UnpackResult result = UnpackResult::kNoMemory;
    uLong crc = crc32(0, nullptr, 0);
    if (input && output) {
        result = entry.method == 0 ? CopyStored(archive, at, entry, sink, output, crc)
                                   : Inflate(archive, at, entry, sink, input, output, crc);
        if (result == UnpackResult::kOk && crc != entry.crc) result = UnpackResult::kWrongCrc;
    }
    free(input);
    free(output);
    return result;
}

}  // namespace stub
