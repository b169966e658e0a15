#include "BlockWriter.h"

#include "OutputSink.h"

BlockWriter::BlockWriter(OutputSink& sink, std::size_t blockSize, bool threaded) : m_sink(sink)
{
    for (Block& block : m_blocks)
        block.bytes = std::make_unique_for_overwrite<char[]>(blockSize);
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

char* BlockWriter::acquire()
{
    submit();
    m_current = (m_current + 1) % m_blocks.size();
    Block& block = m_blocks[m_current];
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&block] { return !block.busy; });
    block.pieces.clear();
    return block.bytes.get();
}

void BlockWriter::add(std::string_view bytes)
{
    if (bytes.empty())
        return;
    std::vector<std::string_view>& pieces = m_blocks[m_current].pieces;
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == bytes.data())
        pieces.back() = {pieces.back().data(), pieces.back().size() + bytes.size()};
    else
        pieces.push_back(bytes);
}

void BlockWriter::finish()
{
    submit();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock,
                   [this] { return m_queue.empty() && !m_blocks[0].busy && !m_blocks[1].busy; });
}

void BlockWriter::submit()
{
    Block& block = m_blocks[m_current];
    if (block.pieces.empty() || block.busy)
        return;
    if (!m_thread.joinable()) {
        m_sink.write(block.pieces);
        block.pieces.clear();
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        block.busy = true;
        m_queue.push_back(&block);
    }
    m_changed.notify_all();
}

void BlockWriter::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_stop; });
        if (m_queue.empty())
            return;
        Block* block = m_queue.front();
        lock.unlock();
        m_sink.write(block->pieces);
        lock.lock();
        m_queue.pop_front();
        block->busy = false;
        m_changed.notify_all();
    }
}
