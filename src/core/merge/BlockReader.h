#pragma once

// The merge's first stage: its inputs read in blocks and scanned line by line.

#include "InputFile.h"
#include "LineAssembly.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>

class BlockWriter;

// Reads the blocks of the merge's inputs into one buffer, and scans them line by line: the
// first stage of the merge. A block to copy is digested on the writer's thread while the merge
// copies it.
class BlockReader
{
public:
    enum class Result
    {
        Read,
        Failed, // a read error
        Short,  // the file ended before the size it was opened with
    };

    // The first look at a head or a tail: most need far less than a block.
    static constexpr std::uint64_t kFirstLook = std::uint64_t(16) << 10;

    explicit BlockReader(std::size_t blockSize);
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    std::size_t blockSize() const { return m_blockSize; }
    // The block read last; lines are copied from it a few bytes past their end.
    const char* block() const { return m_block; }

    Result read(InputFile& file, std::uint64_t offset, std::size_t length);
    // A block to copy, digested on the writer's thread where there is one: both only read it,
    // and it is not read over before that digest is done.
    Result readToCopy(InputFile& file, std::uint64_t offset, std::size_t length,
                      BlockWriter* writer);
    // Returns once the block read to copy is digested, digesting it here if the writer's thread
    // has not begun to.
    void waitForDigest();

    // Calls onLine for every line of [begin, end) of the file until it returns false.
    template <typename OnLine>
    Result scanLines(InputFile& file, std::uint64_t begin, std::uint64_t end, NcLineReader& reader,
                     OnLine onLine);

private:
    // Digesting the block: whichever thread takes it first digests.
    struct DigestTask
    {
        BlockWriter* writer;
        std::uint64_t number;
        std::shared_ptr<std::atomic<bool>> taken;
        std::function<void()> digest;
    };

    const std::size_t m_blockSize;
    std::unique_ptr<char[]> m_buffer; // not zeroed: only what a read filled is used
    char* m_block = nullptr;
    std::optional<DigestTask> m_digestTask;
};

template <typename OnLine>
BlockReader::Result BlockReader::scanLines(InputFile& file, std::uint64_t begin, std::uint64_t end,
                                           NcLineReader& reader, OnLine onLine)
{
    LineAssembly assembly(&reader);
    ScannedLine line;
    line.start = begin;
    for (std::uint64_t offset = begin, look = kFirstLook; offset < end;
         look = std::min<std::uint64_t>(look * 2, m_blockSize)) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>({look, m_blockSize, end - offset}));
        if (const Result result = read(file, offset, length); result != Result::Read)
            return result;
        const char* p = m_block;
        const char* const blockEnd = p + length;
        while (p < blockEnd) {
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', blockEnd - p));
            assembly.add(p, (lf ? lf : blockEnd) - p);
            if (!lf)
                break;
            line.end = offset + std::uint64_t(lf + 1 - m_block);
            assembly.finish(true, line);
            if (!onLine(line))
                return Result::Read;
            line.start = line.end;
            p = lf + 1;
        }
        offset += length;
    }
    if (!assembly.empty()) {
        line.end = end;
        assembly.finish(false, line);
        onLine(line);
    }
    return Result::Read;
}
