// A thread that runs the tasks given to it in order.

#include "TaskThread.h"

TaskThread::TaskThread() : m_thread([this] { run(); }) {}

TaskThread::~TaskThread()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void TaskThread::post(std::function<void()> task)
{
    {
        const std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(task));
    }
    m_changed.notify_all();
}

void TaskThread::finish()
{
    std::unique_lock lock(m_mutex);
    while (!m_queue.empty())
        runFront(lock);
    m_changed.wait(lock, [this] { return m_running == 0; });
}

void TaskThread::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_stop; });
        if (m_queue.empty())
            return;
        runFront(lock);
        m_changed.notify_all();
    }
}

// Runs the task at the front of the queue, with the lock released meanwhile.
void TaskThread::runFront(std::unique_lock<std::mutex>& lock)
{
    const std::function<void()> task = std::move(m_queue.front());
    m_queue.pop_front();
    ++m_running;
    lock.unlock();
    task();
    lock.lock();
    --m_running;
}
