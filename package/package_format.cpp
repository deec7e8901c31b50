#include "package_format.h"

#include <algorithm>
#include <cstdio>

namespace {

void WriteOver(std::string& record, uint32_t offset, const std::string& text) {
    const size_t fits = std::min<size_t>(text.size(), RecordLength - offset);
    record.replace(offset, fits, text, 0, fits);
}

}  // namespace

std::string InstallationRecord(const std::string& entryName, const std::string& password,
                               const std::string& installExecutable) {
    std::string record = entryName.substr(0, RecordLength);
    record.resize(RecordLength, ' ');
    WriteOver(record, RecordPasswordOffset, password);
    WriteOver(record, RecordExecutableOffset, installExecutable);
    return record;
}

std::string WithPieceCount(std::string record, int pieceCount) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03d", pieceCount);
    WriteOver(record, RecordPieceCountOffset, std::string(digits, 3));
    return record;
}
