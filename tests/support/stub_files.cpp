#include "stub_files.h"

#include "temp_dir.h"

namespace {

std::string Pattern(long length, char seed) {
    std::string bytes(length > 0 ? length : 0, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(seed + i * 7 % 251);
    return bytes;
}

void Write(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
}

void Remove(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

}  // namespace

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

StubFiles::StubFiles(long innerLength, long outerLength)
    : inner_(Pattern(innerLength, 'i')), outer_(Pattern(outerLength, 'o')) {
    Remove(InnerPath());
    Remove(OuterPath());
    if (innerLength >= 0) Write(InnerPath(), inner_);
    if (outerLength >= 0) Write(OuterPath(), outer_);
}

StubFiles::~StubFiles() {
    Remove(InnerPath());
    Remove(OuterPath());
}

std::string StubFiles::InnerPath() const { return ProgramFolder() + "Vornaly.vnp"; }
std::string StubFiles::OuterPath() const { return ProgramFolder() + "Install.vnp"; }
