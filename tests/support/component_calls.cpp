// The calls themselves, alike on both systems; how returned texts are
// owned is each system's (windows/component_glue.cpp,
// unix/component_glue.cpp).
#include "component_calls.h"

#include <gtest/gtest.h>

#include "mvwrap.h"

std::string Message(int16_t number) { return Take(ZipError(&number)); }

int32_t Zip(const std::string& archive, const std::string& pattern, int32_t level,
            const std::string& options, const std::string& password) {
    return Zzip(archive.c_str(), pattern.c_str(), options.c_str(), password.c_str(), &level);
}

std::vector<std::string> Listing(const std::string& archive) {
    std::vector<std::string> names;
    int32_t count = ZipCount(archive.c_str());
    for (int32_t index = 0; index < count; ++index) names.push_back(Take(Zipped(&index)));
    return names;
}

void SetRetries(int16_t tries, int32_t seconds) {
    ASSERT_EQ(SetRetryOptions(&tries, &seconds), MVWRAP_OK);
}

void SetDepth(int16_t depth) { ASSERT_EQ(SetSearchLimit(&depth), MVWRAP_OK); }
