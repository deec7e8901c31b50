#include "stub_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <vector>

#include "package_constants.h"
#include "package_writers.h"
#include "unix/system_text.h"
#include "working_values.h"

namespace {

std::string ProgramFolder() {
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) return "";
    const std::string program(path.data(), size_t(length));
    return program.substr(0, program.rfind('/'));
}

// The inner stub is copied whole ahead of the archive and the packages
// find the archive at its length; the outer stub is a Windows program.
std::string StubFault(const std::string& folder) {
    struct stat inner;
    const std::string innerPath = folder + "/" + InnerStubName;
    if (stat(innerPath.c_str(), &inner) != 0) return innerPath + " is missing";
    if (uint64_t(inner.st_size) != InnerStubLength)
        return innerPath + " has " + std::to_string(inner.st_size) + " bytes, not " +
               std::to_string(InnerStubLength);
    const std::string outerPath = folder + "/" + OuterStubName;
    char start[2] = {};
    std::ifstream outer(outerPath, std::ios::binary);
    if (!outer) return outerPath + " is missing";
    if (!outer.read(start, 2) || start[0] != 'M' || start[1] != 'Z')
        return outerPath + " is not a Windows program";
    return "";
}

}  // namespace

bool FindStubFolder(const std::string& named, std::string& error) {
    std::vector<std::string> folders;
    if (!named.empty()) {
        folders.push_back(named);
    } else {
        const std::string program = ProgramFolder();
        folders.push_back(program);
        folders.push_back(program.substr(0, program.rfind('/')) + "/share/vornaly");
    }
    std::string looked;
    for (const std::string& folder : folders) {
        const std::string fault = StubFault(folder);
        if (fault.empty() && SystemToCodePage(folder, StubFolder)) return true;
        looked += "\n  " + (fault.empty() ? folder + " cannot be named in the code page" : fault);
    }
    error = "The stubs " + std::string(OuterStubName) + " and " + InnerStubName +
            " were not found whole. Looked at:" + looked;
    return false;
}
