#include "core/os/TaskThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

// finish runs what has not started on the waiting thread: here the second task, which the
// first waits for, so without that the thread would wait for ever. Every task runs once.
TEST(TaskThread, TheWaitingThreadTakesOnTasksNotStarted)
{
    std::mutex mutex;
    std::condition_variable released;
    bool second = false;
    std::atomic<int> runs = 0;
    {
        TaskThread thread;
        bool firstStarted = false;
        thread.post([&] {
            std::unique_lock lock(mutex);
            firstStarted = true;
            released.notify_all();
            released.wait(lock, [&] { return second; });
            ++runs;
        });
        {
            std::unique_lock lock(mutex);
            ASSERT_TRUE(
                released.wait_for(lock, std::chrono::seconds(60), [&] { return firstStarted; }));
        }
        thread.post([&] {
            {
                const std::lock_guard lock(mutex);
                second = true;
            }
            released.notify_all();
            ++runs;
        });
        for (int i = 0; i < 100; ++i)
            thread.post([&] { ++runs; });
        thread.finish();
        EXPECT_EQ(runs, 102);
        thread.post([&] { ++runs; });
    }
    EXPECT_EQ(runs, 103); // destroying it waits for the tasks given
}
