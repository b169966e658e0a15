#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Runs tasks in the order given, on a thread of its own, while the thread that gives them goes
// on; a thread that waits for them takes on tasks that have not started. Destroying it waits
// for every task given.
class TaskThread
{
public:
    TaskThread();
    ~TaskThread();

    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    void post(std::function<void()> task);
    // Returns once every task given has run; runs those not yet started on the calling thread.
    void finish();

private:
    void run();
    void runFront(std::unique_lock<std::mutex>& lock);

    std::deque<std::function<void()>> m_queue;
    int m_running = 0; // tasks taken from the queue that have not returned yet
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread; // last: started once the rest is ready
};
