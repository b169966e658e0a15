#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

class OutputSink;

// Hands the output to the sink as pieces of the blocks the merge reads into, so that bytes that
// need no change are never copied in memory. Threaded, a thread of its own writes one block
// while the next is read and scanned. Memory: two blocks.
class BlockWriter
{
public:
    BlockWriter(OutputSink& sink, std::size_t blockSize, bool threaded);
    ~BlockWriter(); // waits for the thread

    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Hands the pieces added so far to the thread and returns the other block to read into,
    // once the thread has written what it held.
    char* acquire();
    // Adds bytes to the output: bytes of the block last acquired, or bytes that never go away.
    void add(std::string_view bytes);
    // Hands over what is left and waits until the sink has it all.
    void finish();

private:
    struct Block
    {
        std::unique_ptr<char[]> bytes;
        std::vector<std::string_view> pieces;
        bool busy = false; // handed to the thread and not written yet
    };

    void submit();
    void run();

    OutputSink& m_sink;
    std::array<Block, 2> m_blocks;
    std::size_t m_current = 0;
    std::deque<Block*> m_queue;
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
};
