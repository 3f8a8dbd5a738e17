#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include <zelmtools/platform/kernel/synch.h>

TEST(CriticalSection, OwnerEntersAgainOthersWaitUntilItLeavesAsOftenAsItEntered)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));

    auto otherTry = [&] {
        BOOL got = FALSE;
        std::thread([&] {
            got = TryEnterCriticalSection(&section);
            if (got) LeaveCriticalSection(&section);
        }).join();
        return got;
    };
    EXPECT_FALSE(otherTry());
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    EXPECT_FALSE(otherTry());
    LeaveCriticalSection(&section);
    EXPECT_TRUE(otherTry());
    DeleteCriticalSection(&section);
}

TEST(Interlocked, CountsExactlyAcrossThreadsAndReturnsTheNewValue)
{
    LONG counter = 0;
    EXPECT_EQ(static_cast<std::int32_t>(InterlockedIncrement(&counter)), 1);
    EXPECT_EQ(static_cast<std::int32_t>(InterlockedDecrement(&counter)), 0);
    EXPECT_EQ(static_cast<std::int32_t>(InterlockedDecrement(&counter)), -1);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                InterlockedIncrement(&counter);
                InterlockedIncrement(&counter);
                InterlockedDecrement(&counter);
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(static_cast<std::int32_t>(counter), 80000 - 1);
}
