// The merged program collected in blocks and handed to the sink whole, on a thread of its own.

#include "BlockWriter.h"

#include "OutputSink.h"

#include <algorithm>

BlockWriter::BlockWriter(OutputSink& sink, std::size_t blockSize, bool threaded)
    : m_sink(sink), m_blockSize(std::max<std::size_t>(blockSize, 1))
{
    for (Block& block : m_blocks)
        block.bytes = std::make_unique_for_overwrite<char[]>(m_blockSize + kReadAhead);
    if (threaded)
        m_thread = std::thread([this] { run(); });
}

BlockWriter::~BlockWriter()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

// Fills the current block, hands it over, and goes on in the next.
void BlockWriter::addAcross(std::string_view bytes)
{
    while (!bytes.empty()) {
        Block& block = m_blocks[m_current];
        const std::size_t taken = std::min(bytes.size(), m_blockSize - block.used);
        std::memcpy(block.bytes.get() + block.used, bytes.data(), taken);
        block.used += taken;
        bytes.remove_prefix(taken);
        if (block.used == m_blockSize)
            submit();
    }
}

std::uint64_t BlockWriter::post(std::function<void()> task)
{
    const std::uint64_t number = m_tasksPosted++;
    if (!m_thread.joinable()) {
        task();
        ++m_tasksRun;
        return number;
    }
    queue({nullptr, std::move(task)});
    return number;
}

void BlockWriter::waitFor(std::uint64_t task)
{
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this, task] { return m_tasksRun > task; });
}

void BlockWriter::queue(Work work)
{
    {
        const std::lock_guard lock(m_mutex);
        if (work.block)
            work.block->busy = true;
        m_queue.push_back(std::move(work));
    }
    m_changed.notify_all();
}

void BlockWriter::finish()
{
    submit();
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] {
        return m_queue.empty() && std::none_of(m_blocks.begin(), m_blocks.end(),
                                               [](const Block& block) { return block.busy; });
    });
}

// Writes the current block, or hands it to the thread and takes the next once it is free.
void BlockWriter::submit()
{
    Block& block = m_blocks[m_current];
    if (block.used == 0)
        return;
    if (!m_thread.joinable()) {
        m_sink.write({block.bytes.get(), block.used});
        block.used = 0;
        return;
    }
    queue({&block});
    m_current = (m_current + 1) % m_blocks.size();
    Block& next = m_blocks[m_current];
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&next] { return !next.busy; });
    next.used = 0;
}

void BlockWriter::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_stop; });
        if (m_queue.empty())
            return;
        Work& work = m_queue.front();
        lock.unlock();
        if (work.block)
            m_sink.write({work.block->bytes.get(), work.block->used});
        else
            work.task();
        lock.lock();
        if (work.block)
            work.block->busy = false;
        else
            ++m_tasksRun;
        m_queue.pop_front();
        m_changed.notify_all();
    }
}
