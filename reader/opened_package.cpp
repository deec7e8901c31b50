#include "opened_package.h"

#include "ansi_code_page.h"
#include "archive_check.h"
#include "code_pages.h"
#include "install_record.h"
#include "package_check.h"
#include "stub_messages.h"
#include "utf8.h"

bool OpenedPackage::Open(const std::string& path, Purpose purpose) {
    stub::FileSource first(path.c_str());
    if (!first.Open() || !stub::ReadPackageFront(first, front_)) {
        stub::ShowError("The installation package %s is damaged.", path.c_str());
        return false;
    }
    chain_ = std::make_unique<stub::PieceChain>(front_.pieces);
    const uint32_t innerOffset = uint32_t(InnerOffset(front_.stubLength));
    if (!chain_->Add(path.c_str(), innerOffset, front_.contentEnd - innerOffset)) {
        stub::ShowError("The installation package %s could not be read.", path.c_str());
        return false;
    }
    if (!stub::AddFollowingPieces(*chain_, path.c_str(), front_.pieces, true)) return false;
    if (purpose == Purpose::kTest && !stub::InnerStubChecksumHolds(*chain_)) {
        stub::ShowError("%s", stub::kUnpackerChanged);
        return false;
    }
    archive_ = std::make_unique<stub::MaskedArchive>(*chain_, InnerStubLength);
    if (!archive_->Marked() || !directory_.Read(*archive_)) {
        stub::ShowError("%s", stub::kFilesUnreadable);
        return false;
    }
    char why[stub::kWhyRoom];
    if (!stub::CheckArchiveNames(directory_, front_.record, front_.spanned,
                                 purpose != Purpose::kTest, recordNames_, start_, why)) {
        stub::ShowError("%s", why);
        return false;
    }
    return true;
}

bool OpenedPackage::HasPassword() const {
    return stub::RecordHasPassword(front_.record, start_.names, int(directory_.Count()),
                                   start_.index, front_.spanned);
}

bool OpenedPackage::RightPassword(const char* typed) const {
    return stub::RightPassword(front_.record, directory_, start_, front_.spanned, typed);
}

unsigned DosAttributes(const stub::ZipEntry& entry) {
    const uint8_t kFat = 0, kNtfs = 11, kVfat = 14;
    bool dos = entry.madeByHost == kFat || entry.madeByHost == kNtfs || entry.madeByHost == kVfat;
    return dos ? entry.externalAttributes & 0xFF : 0;
}

std::string LinuxName(const char* ansiName) {
    uint16_t wide[stub::kPathRoom];
    char name[4 * stub::kPathRoom];
    if (!stub::CodePageToWide(text::AnsiCodePage(), ansiName, wide, stub::kPathRoom) ||
        !text::Utf16ToUtf8(wide, name, sizeof name))
        return "";
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}
