#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "component_calls.h"
#include "mvwrap.h"
#include "temp_dir.h"

namespace {

class Component : public testing::Test {
protected:
    void TearDown() override { StopMorvane(); }
};

TEST_F(Component, EveryOperationFailsWhileStopped) {
    TempDir dir;
    dir.MakeFile("in\\a.txt", "some text");
    const std::string archive = dir / "a.zip";
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    ASSERT_EQ(Zip(archive, dir / "in\\*.*"), MVWRAP_OK);
    ASSERT_EQ(ZipCount(archive.c_str()), 1);
    ASSERT_EQ(StopMorvane(), MVWRAP_OK);
    const std::string before = ReadWholeFile(archive);

    const int16_t count = 10, depth = -1;
    const int32_t seconds = 2, level = -1, index = 0;
    for (int round = 0; round < 2; ++round) {  // after a stop, and after a start and stop
        SCOPED_TRACE(round);
        EXPECT_EQ(StopMorvane(), MVWRAP_NOT_RUNNING);
        EXPECT_EQ(SetRetryOptions(&count, &seconds), MVWRAP_NOT_RUNNING);
        EXPECT_EQ(SetSearchLimit(&depth), MVWRAP_NOT_RUNNING);
        EXPECT_EQ(Zzip(archive.c_str(), (dir / "in\\*.*").c_str(), " -whs", "", &level),
                  MVWRAP_NOT_RUNNING);
        EXPECT_EQ(ZipCount(archive.c_str()), 0);
        EXPECT_EQ(Take(Zipped(&index)), "");
        EXPECT_EQ(RunMorvane(), MVWRAP_OK);
        EXPECT_EQ(StopMorvane(), MVWRAP_OK);
    }
    EXPECT_EQ(ReadWholeFile(archive), before);
}

TEST_F(Component, StartsOnceAndTakesSettingsWhileRunning) {
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    EXPECT_EQ(RunMorvane(), MVWRAP_ALREADY_RUNNING);
    const int16_t count = 10, depth = -1;
    const int32_t seconds = 1;
    EXPECT_EQ(SetRetryOptions(&count, &seconds), MVWRAP_OK);
    EXPECT_EQ(SetSearchLimit(&depth), MVWRAP_OK);
}

TEST(ZipErrorTest, GivesEachErrorItsOwnSentence) {
    std::set<std::string> messages;
    for (int16_t number = MVWRAP_OK; number <= MVWRAP_NO_MEMORY; ++number) {
        std::string text = Message(number);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '.');
        messages.insert(text);
    }
    EXPECT_EQ(messages.size(), static_cast<size_t>(MVWRAP_NO_MEMORY + 1));
    EXPECT_EQ(Message(-7), Message(MVWRAP_NO_MEMORY + 1));
    EXPECT_NE(Message(-7), "");
}

TEST(ZipErrorTest, ReturnedTextsDoNotLeak) {
    for (int i = 0; i < 100; ++i)
        Message(MVWRAP_NOT_RUNNING);
    size_t before = HeapBytesInUse();
    for (int i = 0; i < 10000; ++i)
        Message(MVWRAP_NOT_RUNNING);
    EXPECT_LT(HeapBytesInUse(), before + 4096);
}

}  // namespace
