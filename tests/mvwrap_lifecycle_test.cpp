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
        EXPECT_EQ(LeaveOut(archive.c_str()), MVWRAP_NOT_RUNNING);
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

// A caller that passes no number gets an error or an empty text, not a
// crash; and after work on files the caller's error mode is its own again.
TEST_F(Component, RefusesMissingNumbersAndKeepsTheCallersErrorMode) {
    TempDir dir;
    dir.MakeFile("in\\a.txt", "a");
    const std::string archive = dir / "a.zip", pattern = dir / "in\\*.*";
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    const UINT callers = SEM_NOGPFAULTERRORBOX;
    const UINT before = SetErrorMode(callers);
    const int16_t count = 1;
    const int32_t seconds = 0;
    EXPECT_EQ(SetRetryOptions(nullptr, &seconds), MVWRAP_BAD_ARGUMENT);
    EXPECT_EQ(SetRetryOptions(&count, nullptr), MVWRAP_BAD_ARGUMENT);
    EXPECT_EQ(SetSearchLimit(nullptr), MVWRAP_BAD_ARGUMENT);
    EXPECT_EQ(LeaveOut(nullptr), MVWRAP_BAD_ARGUMENT);
    EXPECT_EQ(Zzip(archive.c_str(), pattern.c_str(), " -whs", "", nullptr), MVWRAP_BAD_ARGUMENT);
    EXPECT_EQ(Take(ZipError(nullptr)), "");
    EXPECT_EQ(Take(Zipped(nullptr)), "");
    EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"in"});
    EXPECT_EQ(Zip(archive, pattern), MVWRAP_OK);
    EXPECT_EQ(ZipCount(archive.c_str()), 1);
    EXPECT_EQ(SetErrorMode(before), callers);
}

TEST(ZipErrorTest, GivesEachErrorItsOwnSentence) {
    std::set<std::string> messages;
    for (int16_t number = MVWRAP_OK; number <= MVWRAP_NAME_CLASH; ++number) {
        std::string text = Message(number);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '.');
        messages.insert(text);
    }
    EXPECT_EQ(messages.size(), static_cast<size_t>(MVWRAP_NAME_CLASH + 1));
    EXPECT_EQ(Message(-7), Message(MVWRAP_NAME_CLASH + 1));
    EXPECT_NE(Message(-7), "");
}

TEST(ZipErrorTest, ReturnedTextsDoNotLeak) {
    for (int i = 0; i < 100; ++i) Message(MVWRAP_NOT_RUNNING);
    size_t before = HeapBytesInUse();
    for (int i = 0; i < 10000; ++i) Message(MVWRAP_NOT_RUNNING);
    EXPECT_LT(HeapBytesInUse(), before + 4096);
}

}  // namespace
