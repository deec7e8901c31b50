// Writing the inner executable (inner stub + archive, "PK" masked as "ZS")
// and the installation package around it. Each writer reports its own
// failures in one message box and returns whether its file is complete, so
// that the Create workflow stops at the first step that failed. A file that
// a writer began and could not finish is removed, never left half-written.
#ifndef PACKAGE_PACKAGE_WRITERS_H
#define PACKAGE_PACKAGE_WRITERS_H

#include <cstdint>
#include <string>

#include "binary_file.h"

constexpr char InnerStubName[] = "Vornaly.vnp";
constexpr char OuterStubName[] = "Install.vnp";

// Inner stub followed by the archive at ArchivePath, written at OutputPath;
// the archive's times are saved and the archive deleted once it is embedded.
// Status text "Creating EXE".
bool WriteInnerExecutable();

// Replaces "PK" at the archive's start by "ZS", or reports "Corrupted
// installation package" and leaves the file as it is.
bool MarkInnerExecutable(const std::string& path);

// Outer stub, padding, markers, the outer stub again, the record and the
// file at IntermediatePath, written at OutputPath. Status texts "Create
// Vornaly", then "Ready" whatever happens.
bool WritePackage(const std::string& entryName);

// Where the stub of this name is taken from: StubFolder, or the program's
// own folder.
std::string StubPath(const char* name);

// Copies length bytes of source from offset start to destination's current
// position, the progress bar counting its 4,096-byte blocks.
void AppendFileWithProgress(BinaryFile& source, BinaryFile& destination, uint64_t start,
                            uint64_t length);

// Appends the whole file at path to destination's current position.
void AppendFile(BinaryFile& destination, const std::string& path);

// Shows "Error: " and the number, caption "Vornaly".
void ShowFileError(int number);

#endif
