// A file read by offset as a ByteSource: the package itself and its pieces.
// Opened for reading with others allowed to read it too; closed with the
// object.
#ifndef STUBS_FILE_SOURCE_H
#define STUBS_FILE_SOURCE_H

#include <stdint.h>

#include "byte_source.h"

namespace stub {

class FileSource : public ByteSource {
public:
    explicit FileSource(const char* path);
    ~FileSource();
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool Open() const { return file_ != kNoFile; }
    // 0 for a file of 4 GiB or more: Create writes none, Windows starts none.
    uint32_t Size() const override { return size_; }
    bool Read(uint32_t offset, void* buffer, uint32_t length) override;

private:
    static const intptr_t kNoFile = -1;
    intptr_t file_;  // the system's handle or descriptor
    uint32_t size_ = 0;
};

}  // namespace stub

#endif
