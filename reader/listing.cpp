#include "listing.h"

#include <stdio.h>

#include <initializer_list>

#include "zip_directory.h"

namespace {

// The time the packer recorded, in its local time: "2024-05-01T13:45:10".
std::string DosTime(const stub::ZipEntry& entry) {
    char text[20];
    snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", 1980u + (entry.dosDate >> 9),
             (entry.dosDate >> 5) & 15u, entry.dosDate & 31u, unsigned(entry.dosTime >> 11),
             (entry.dosTime >> 5) & 63u, (entry.dosTime & 31u) * 2);
    return text;
}

// Read-only, hidden, system and archive ("RHSA", "-" for one not set).
std::string Attributes(const stub::ZipEntry& entry) {
    const unsigned attributes = DosAttributes(entry);
    std::string letters;
    for (unsigned bit : {0x01u, 0x02u, 0x04u, 0x20u})
        letters += attributes & bit ? "RHSA"[letters.size()] : '-';
    return letters;
}

bool IsFolder(const std::string& name) { return !name.empty() && name.back() == '/'; }

std::string JsonText(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += char(c);
        } else if (c < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += char(c);
        }
    }
    return quoted + "\"";
}

std::string StartProgram(const OpenedPackage& package) {
    int index = package.Start().index;
    return index >= 0 ? LinuxName(package.Directory()[uint32_t(index)].name) : "";
}

}  // namespace

void ListPlain(const OpenedPackage& package, const std::string& path, std::ostream& out) {
    std::string start = StartProgram(package);
    out << "Package:       " << path << "\n"
        << "Start program: " << (start.empty() ? "(none)" : start) << "\n"
        << "Password:      " << (package.HasPassword() ? "yes" : "no") << "\n"
        << "Pieces:        " << package.Front().pieces << "\n\n"
        << "      Size     Packed  Time                 CRC-32    Attr  Name\n";
    const stub::ZipDirectory& directory = package.Directory();
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        const stub::ZipEntry& entry = directory[i];
        char line[96];
        snprintf(line, sizeof line, "%10u %10u  %s  %08x  %s  ", unsigned(entry.size),
                 unsigned(entry.packedSize), DosTime(entry).c_str(), unsigned(entry.crc),
                 Attributes(entry).c_str());
        out << line << LinuxName(entry.name) << "\n";
    }
    out << directory.Count() << (directory.Count() == 1 ? " file\n" : " files\n");
}

void ListJson(const OpenedPackage& package, const std::string& path, std::ostream& out) {
    std::string start = StartProgram(package);
    out << "{\"package\": " << JsonText(path)
        << ", \"start_program\": " << (start.empty() ? "null" : JsonText(start))
        << ", \"password\": " << (package.HasPassword() ? "true" : "false")
        << ", \"pieces\": " << package.Front().pieces << ", \"entries\": [";
    const stub::ZipDirectory& directory = package.Directory();
    for (uint32_t i = 0; i < directory.Count(); ++i) {
        const stub::ZipEntry& entry = directory[i];
        std::string name = LinuxName(entry.name);
        out << (i ? ", " : "") << "{\"name\": " << JsonText(name)
            << ", \"folder\": " << (IsFolder(name) ? "true" : "false")
            << ", \"size\": " << entry.size << ", \"packed_size\": " << entry.packedSize
            << ", \"time\": \"" << DosTime(entry) << "\", \"crc32\": " << entry.crc
            << ", \"attributes\": \"" << Attributes(entry) << "\"}";
    }
    out << "]}\n";
}
