// Free space through GetDiskFreeSpaceA, which every Windows has, asked
// about the root of the path's drive or share.
#include "free_space.h"

#include <windows.h>

#include "ansi_code_page.h"
#include "quiet_errors.h"
#include "volume_roots.h"

namespace {

std::string CurrentFolder() {
    char current[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    return length < sizeof current ? std::string(current, length) : std::string();
}

uint32_t FreeBytesOfRoot(const std::string& root) {
    if (root.empty()) return 0;
    QuietErrorMode quiet;
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return 0;
    const uint64_t bytes = uint64_t{bytesPerSector} * sectorsPerCluster * freeClusters;
    return bytes >= 0x80000000u ? 0x80000000u : static_cast<uint32_t>(bytes);
}

}  // namespace

std::string VolumeRoot(const std::string& path, const std::string& currentFolder) {
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2) + "\\";
    if (path.rfind("\\\\", 0) == 0) {
        // Server and share names split by the code page's characters.
        const text::LeadBytes& lead = text::AnsiLeadBytes();
        const auto next = [&](std::string::size_type from) {
            const char* at = text::FirstCharacter(path.c_str() + from, '\\', lead);
            return at ? std::string::size_type(at - path.c_str()) : std::string::npos;
        };
        const std::string::size_type server = next(2);
        if (server == std::string::npos || server == 2) return "";
        const std::string::size_type share = next(server + 1);
        if (share == server + 1) return "";
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return currentFolder.empty() ? "" : VolumeRoot(currentFolder, "");
}

uint32_t DriveFreeBytes(int16_t drive) {
    if (drive == 0) return FreeBytesOfRoot(VolumeRoot(CurrentFolder(), ""));
    return FreeBytesOfRoot({static_cast<char>(drive + 64), ':', '\\'});
}

uint32_t FreeBytesAt(const std::string& path) {
    return FreeBytesOfRoot(VolumeRoot(path, CurrentFolder()));
}
