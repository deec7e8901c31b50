#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "mvwrap.h"

namespace {

// Takes a text the component returned, checking that it was handed over as
// its interface says (LocalAlloc, caller frees).
std::string Take(char* text) {
    EXPECT_NE(text, nullptr);
    if (!text) return "";
    EXPECT_EQ(LocalHandle(text), static_cast<HLOCAL>(text));
    std::string copy = text;
    EXPECT_EQ(LocalFree(text), nullptr);
    return copy;
}

std::string Message(int16_t number) { return Take(ZipError(&number)); }

class Component : public testing::Test {
protected:
    void TearDown() override { StopMorvane(); }
};

TEST_F(Component, EveryOperationFailsWhileStopped) {
    const int16_t count = 10, depth = -1;
    const int32_t seconds = 2, level = -1, index = 0;
    for (int round = 0; round < 2; ++round) {  // before the first start, after a stop
        SCOPED_TRACE(round);
        EXPECT_EQ(StopMorvane(), MVWRAP_NOT_RUNNING);
        EXPECT_EQ(SetRetryOptions(&count, &seconds), MVWRAP_NOT_RUNNING);
        EXPECT_EQ(SetSearchLimit(&depth), MVWRAP_NOT_RUNNING);
        EXPECT_EQ(Zzip("Z:\\nowhere\\a.zip", "Z:\\nowhere\\*.*", " -whs", "", &level),
                  MVWRAP_NOT_RUNNING);
        EXPECT_EQ(ZipCount("Z:\\nowhere\\a.zip"), 0);
        EXPECT_EQ(Take(Zipped(&index)), "");
        EXPECT_EQ(RunMorvane(), MVWRAP_OK);
        EXPECT_EQ(StopMorvane(), MVWRAP_OK);
    }
}

TEST_F(Component, StartsOnceAndTakesSettingsWhileRunning) {
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    EXPECT_EQ(RunMorvane(), MVWRAP_ALREADY_RUNNING);
    const int16_t count = 10, depth = -1;
    const int32_t seconds = 1;
    EXPECT_EQ(SetRetryOptions(&count, &seconds), MVWRAP_OK);
    EXPECT_EQ(SetSearchLimit(&depth), MVWRAP_OK);
}

TEST_F(Component, ArchiveOperationsSayTheyAreNotAvailable) {
    ASSERT_EQ(RunMorvane(), MVWRAP_OK);
    const int32_t level = -1;
    int32_t result = Zzip("Z:\\nowhere\\a.zip", "Z:\\nowhere\\*.*", " -whs", "", &level);
    EXPECT_EQ(result, MVWRAP_NOT_AVAILABLE);
    EXPECT_NE(Message(static_cast<int16_t>(result)).find("cannot"), std::string::npos);
}

TEST(ZipErrorTest, GivesEachErrorItsOwnSentence) {
    std::set<std::string> messages;
    for (int16_t number : {MVWRAP_NOT_RUNNING, MVWRAP_ALREADY_RUNNING, MVWRAP_NOT_AVAILABLE}) {
        std::string text = Message(number);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '.');
        messages.insert(text);
    }
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_NE(Message(-7), "");
}

TEST(ZipErrorTest, ReturnedTextsDoNotLeak) {
    PROCESS_HEAP_ENTRY entry;
    auto localBytes = [&] {
        size_t total = 0;
        entry.lpData = nullptr;
        HANDLE heap = GetProcessHeap();
        HeapLock(heap);
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        HeapUnlock(heap);
        return total;
    };
    for (int i = 0; i < 100; ++i) Message(MVWRAP_NOT_RUNNING);
    size_t before = localBytes();
    for (int i = 0; i < 10000; ++i) Message(MVWRAP_NOT_RUNNING);
    EXPECT_LT(localBytes(), before + 4096);
}

}  // namespace
