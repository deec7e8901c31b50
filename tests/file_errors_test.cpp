#include <gtest/gtest.h>

#include "file_errors.h"

namespace {

TEST(FileErrorNumber, MapsPlatformErrorsAsTheTableSays) {
    const int expected[40] = {51, 75, 53, 76, 67, 75, 51, 241, 7,  241, 241, 51, 51, 51,
                              7,  68, 75, 74, 53, 70, 68, 71,  51, 72,  51,  72, 72, 72,
                              27, 72, 72, 72, 70, 70, 72, 75,  70, 75,  62,  61};
    for (uint32_t error = 0; error < 40; ++error)
        EXPECT_EQ(FileErrorNumber(error), expected[error]) << "platform error " << error;
    for (uint32_t error : {40u, 112u, 1224u, 0xFFFFFFFFu}) EXPECT_EQ(FileErrorNumber(error), 75);
}

}  // namespace
