#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <fstream>

ScratchFolder::ScratchFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    static unsigned sequence = 0;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test ? test->name() : "scratch";
    do {
        path_ = base / ("vornaly-" + name + "-" + std::to_string(++sequence));
    } while (!std::filesystem::create_directory(path_));
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring ScratchFolder::operator/(const std::string& name) const {
    return (path_ / name).wstring();
}

std::wstring ScratchFolder::MakeFile(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return file.wstring();
}
