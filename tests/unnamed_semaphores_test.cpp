// The CreateSemaphoreW that the shipped binaries link instead of importing
// it: calls through the import slot make semaphores that count.
#include <gtest/gtest.h>

#include <windows.h>

#include "win_handles.h"

namespace {

TEST(UnnamedSemaphores, CountAndNamedOnesAreShared) {
    for (const wchar_t* name : {static_cast<const wchar_t*>(nullptr), L"VornalySemaphoreTest"}) {
        FileHandle semaphore(CreateSemaphoreW(nullptr, 1, 2, name));
        ASSERT_NE(semaphore.get(), nullptr);
        EXPECT_EQ(WaitForSingleObject(semaphore.get(), 0), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(semaphore.get(), 0), DWORD(WAIT_TIMEOUT));
        EXPECT_TRUE(ReleaseSemaphore(semaphore.get(), 2, nullptr));
        EXPECT_FALSE(ReleaseSemaphore(semaphore.get(), 1, nullptr));
        if (name) {
            FileHandle again(OpenSemaphoreW(SEMAPHORE_ALL_ACCESS, FALSE, name));
            EXPECT_NE(again.get(), nullptr);
        }
    }
}

}  // namespace
