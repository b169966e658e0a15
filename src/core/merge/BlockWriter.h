#pragma once

// The merge's last stage: the writer that collects the merged program in blocks.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>

class OutputSink;

// Collects the merged program in blocks of its own and hands the sink whole blocks: a line
// whose end changes (an LF becoming CR LF, a word rewritten) costs a copy in memory, never a
// system call. Threaded, a thread of its own writes full blocks while the merge reads and scans
// on. Memory: two blocks, allocated once.
class BlockWriter
{
public:
    static constexpr std::size_t kReadAhead = 64;

    BlockWriter(OutputSink& sink, std::size_t blockSize, bool threaded);
    ~BlockWriter(); // waits for the thread

    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Copies bytes to the end of the output.
    void add(std::string_view bytes)
    {
        Block& block = m_blocks[m_current];
        if (bytes.size() <= m_blockSize - block.used) {
            std::memcpy(block.bytes.get() + block.used, bytes.data(), bytes.size());
            block.used += bytes.size();
            return;
        }
        addAcross(bytes);
    }
    // Runs task after the blocks handed over so far: on the thread when there is one, so that
    // work the output does not wait for leaves the reading alone; else at once. Returns the
    // task's number for waitFor.
    std::uint64_t post(std::function<void()> task);
    // Returns once the task of that number has run.
    void waitFor(std::uint64_t task);
    bool threaded() const { return m_thread.joinable(); }
    // Copies bytes and a CR LF after them: a line whose LF becomes CR LF, in one step. A short
    // line is copied kReadAhead bytes at once, so the source must have as many bytes to read
    // past the start of every line it gives (a buffer allocated with them to spare).
    void addLine(std::string_view bytes)
    {
        Block& block = m_blocks[m_current];
        if (bytes.size() + 2 <= m_blockSize - block.used) {
            char* at = block.bytes.get() + block.used;
            // A copy of fixed size needs no call; the bytes past the line are written over.
            if (bytes.size() <= kReadAhead)
                std::memcpy(at, bytes.data(), kReadAhead);
            else
                std::memcpy(at, bytes.data(), bytes.size());
            at[bytes.size()] = '\r';
            at[bytes.size() + 1] = '\n';
            block.used += bytes.size() + 2;
            return;
        }
        addAcross(bytes);
        addAcross("\r\n");
    }
    // The free bytes of the current block, for a loop that copies many short lines itself:
    // held in registers, they spare it reading the block's fields again after every copy.
    // Lines go in as addLine puts them (the block has kReadAhead bytes to spare past its end);
    // filled says how far they reach before any other call.
    struct Space
    {
        char* at;
        char* end;
    };
    Space space()
    {
        Block& block = m_blocks[m_current];
        return {block.bytes.get() + block.used, block.bytes.get() + m_blockSize};
    }
    void filled(const char* at)
    {
        Block& block = m_blocks[m_current];
        block.used = static_cast<std::size_t>(at - block.bytes.get());
    }
    // Hands over what is left and waits until the sink has it all and every task ran.
    void finish();

private:
    struct Block
    {
        std::unique_ptr<char[]> bytes; // not zeroed: only what was added is written
        std::size_t used = 0;
        bool busy = false; // handed to the thread and not written yet
    };

    // A block to write, or a task to run.
    struct Work
    {
        Block* block = nullptr;
        std::function<void()> task{};
    };

    void addAcross(std::string_view bytes);
    void submit();
    void queue(Work work);
    void run();

    OutputSink& m_sink;
    const std::size_t m_blockSize;
    std::array<Block, 2> m_blocks;
    std::size_t m_current = 0;
    std::deque<Work> m_queue;
    std::uint64_t m_tasksPosted = 0;
    std::uint64_t m_tasksRun = 0;
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
};
