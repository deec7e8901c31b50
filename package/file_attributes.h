// The DOS attributes of a file as the Create reads and carries them. The
// values are Windows' own, so a mask means the same on both systems; where
// Linux keeps no such bit (hidden, system), the glue answers as Wine does.
#ifndef PACKAGE_FILE_ATTRIBUTES_H
#define PACKAGE_FILE_ATTRIBUTES_H

#include <cstdint>
#include <string>

constexpr uint32_t AttributeReadOnly = 0x01;
constexpr uint32_t AttributeHidden = 0x02;
constexpr uint32_t AttributeSystem = 0x04;
constexpr uint32_t AttributeFolder = 0x10;
constexpr uint32_t AttributeArchive = 0x20;
constexpr uint32_t AttributeNormal = 0x80;

// The attributes of the file or folder at path; false when nothing is there
// (LastFileErrorNumber says why).
bool ReadFileAttributes(const std::string& path, uint32_t& attributes);

// Sets read-only, hidden, system and archive as the mask says (Normal for
// none); false on failure.
bool WriteFileAttributes(const std::string& path, uint32_t attributes);

// Whether a file, not a folder, is at path.
bool IsFile(const std::string& path);

// Whether a folder is at path.
bool IsFolder(const std::string& path);

#endif
