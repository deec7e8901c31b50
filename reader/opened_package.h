// A package opened as its own stubs open it: its front, the inner
// executable read through every piece, the archive's directory with its
// names turned into the ANSI code page and checked as an extraction checks
// them, and the start program the record names.
#ifndef READER_OPENED_PACKAGE_H
#define READER_OPENED_PACKAGE_H

#include <memory>
#include <string>

#include "byte_source.h"
#include "file_source.h"
#include "package_layout.h"
#include "piece_chain.h"
#include "start_program.h"
#include "zip_directory.h"

class OpenedPackage {
public:
    // To test, the package is read in the order and with the checks of its
    // own /T (the inner stub's checksum and the start program too); to list
    // or extract, as /X: reads it.
    enum class Purpose { kRead, kTest };
    // False with the fault told on standard error, in the stubs' words.
    bool Open(const std::string& path, Purpose purpose = Purpose::kRead);

    const stub::PackageFront& Front() const { return front_; }
    stub::ByteSource& Archive() { return *archive_; }
    const stub::ZipDirectory& Directory() const { return directory_; }
    const stub::RecordedStart& Start() const { return start_; }
    bool HasPassword() const;
    // Whether the password typed in the ANSI code page opens the package.
    bool RightPassword(const char* typed) const;

private:
    stub::PackageFront front_ = {};
    std::unique_ptr<stub::PieceChain> chain_;
    std::unique_ptr<stub::MaskedArchive> archive_;
    stub::ZipDirectory directory_;
    stub::CodePageNames recordNames_;
    stub::RecordedStart start_ = {};
};

// The attributes a DOS or Windows packer recorded (read-only 0x01, hidden
// 0x02, system 0x04, archive 0x20); others record none.
unsigned DosAttributes(const stub::ZipEntry& entry);

// A name of the directory (in the ANSI code page, "\" separators) as Linux
// names it: UTF-8 with "/" separators.
std::string LinuxName(const char* ansiName);

#endif
