// libFuzzer target for the stubs' reading code, built natively on the host
// from the same sources (tools/fuzz-stubs). One input is read every way a
// package is read: as a package front (its executable length, then the
// layout and record), as an archive (directory, entry names, unpacking), as
// a record against the archive's names, and as a command line.
#include <stdint.h>
#include <string.h>

#include <string>

#include "command_line.h"
#include "entry_data.h"
#include "entry_paths.h"
#include "install_record.h"
#include "log_text.h"
#include "package_layout.h"
#include "record_room.h"
#include "zip_directory.h"

namespace {

// Takes unpacked bytes up to a limit, so that a tiny input that inflates
// to gigabytes costs no more than the limit.
class BoundedSink : public stub::ByteSink {
public:
    bool Write(const void*, uint32_t length) override {
        taken_ += length;
        return taken_ <= (4u << 20);
    }

private:
    uint64_t taken_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (16u << 20)) return 0;
    stub::MemorySource whole(data, uint32_t(size));

    uint32_t stubLength = stub::ExecutableLength(whole);
    char record[RecordLength];
    if (stub::ReadPackageRecord(whole, stubLength, record)) {
        stub::ContentEnd(whole, stubLength, record);
        stub::PiecesOf(whole, stubLength, record);
    }
    stub::InnerStubChecksumHolds(whole);
    stub::ReadPackageRecord(whole, uint32_t(size / 3), record);

    stub::ZipDirectory directory;
    if (directory.Read(whole)) {
        for (uint32_t i = 0; i < directory.Count() && i < 64; ++i) {
            stub::SafeEntryPath(directory[i].name);
            BoundedSink sink;
            stub::UnpackEntry(whole, directory[i], sink);
        }
        if (size >= RecordLength) {
            memcpy(record, data, RecordLength);
            const char* const* names = directory.Names();
            int count = int(directory.Count());
            bool spanned = stub::PieceCount(record) > 1;
            int start = stub::FindStartProgram(record, names, count, spanned);
            stub::RecordNamesStartProgram(record, names, count);
            stub::RecordHasPassword(record, names, count, start, spanned);
            std::string typed(reinterpret_cast<const char*>(data) + RecordLength,
                              size - RecordLength < 40 ? size - RecordLength : 40);
            stub::PasswordMatches(record, typed.c_str(), names, count, start, spanned);
            int instead;
            if (count > 0)
                stub::CheckRecordRoom(names[count - 1], typed.c_str(), names[0], names, count,
                                      spanned, instead);
        }
    }
    stub::MaskedArchive masked(whole, size > 4 ? uint32_t(size / 4) : 0);
    if (masked.Marked() && directory.Read(masked) && directory.Count() > 0) {
        BoundedSink sink;
        stub::UnpackEntry(masked, directory[0], sink);
    }

    std::string text(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    stub::SafeEntryPath(text.c_str());
    stub::PackageSwitches switches;
    stub::ParsePackageSwitches(stub::SkipProgramName(text.c_str()), switches);
    char prefix[260], name[260];
    if (stub::PieceNamePrefix(text.c_str(), prefix, sizeof prefix))
        stub::PieceName(prefix, int(size % 1000), name, sizeof name);
    char bytes[64];
    stub::FromHex(text.c_str(), bytes,
                  uint32_t(text.size() / 2 < sizeof bytes ? text.size() / 2 : sizeof bytes));
    char line[300];
    uint32_t length = stub::EscapeLogText(text.c_str(), line, uint32_t(size % sizeof line));
    if (size % sizeof line && (length >= size % sizeof line || strpbrk(line, "\r\n")))
        __builtin_trap();  // a cut line or one with a line end of its own
    return 0;
}
