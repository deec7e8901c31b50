// libFuzzer target for the zip component's archive reading, built natively
// on the host from the same sources (tools/fuzz-zip-native). Each input is an
// archive in a file of memory, read through the POSIX glue as MVWRAP.DLL
// reads one: the whole check, then every entry's name, folded and ordered.
#include <stdint.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "name_order.h"
#include "zip_format.h"
#include "zip_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int file = memfd_create("archive", 0);
    if (file < 0 || ftruncate(file, 0) != 0 ||
        pwrite(file, data, size, 0) != static_cast<ssize_t>(size))
        __builtin_trap();

    std::vector<mvwrap::StoredEntry> entries;
    uint64_t directoryOffset = 0;
    if (mvwrap::ReadArchive(file, entries, &directoryOffset)) {
        std::vector<std::wstring> names;
        for (const mvwrap::StoredEntry& entry : entries)
            names.push_back(mvwrap::EntryName(entry.record));
        std::sort(names.begin(), names.end(), mvwrap::NameBefore);
    }
    // The record checks alone, on the input taken as one central record.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (size >= mvwrap::kCentralHeaderSize && mvwrap::CentralRecordSound(bytes))
        mvwrap::EntryName(bytes);
    return 0;
}
