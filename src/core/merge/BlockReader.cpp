// Reading the merge's inputs block by block, digesting blocks on the writer's thread.

#include "BlockReader.h"

#include "BlockWriter.h"

#include <utility>

BlockReader::BlockReader(std::size_t blockSize)
    : m_blockSize(std::max<std::size_t>(blockSize, 1)),
      m_buffer(std::make_unique_for_overwrite<char[]>(m_blockSize + BlockWriter::kReadAhead))
{}

BlockReader::Result BlockReader::read(InputFile& file, std::uint64_t offset, std::size_t length)
{
    m_block = m_buffer.get();
    const std::int64_t read = file.readAt(offset, m_block, length);
    if (read < 0)
        return Result::Failed;
    return static_cast<std::size_t>(read) == length ? Result::Read : Result::Short;
}

BlockReader::Result BlockReader::readToCopy(InputFile& file, std::uint64_t offset,
                                            std::size_t length, BlockWriter* writer)
{
    waitForDigest();
    if (!writer || !writer->threaded())
        return read(file, offset, length);
    m_block = m_buffer.get();
    const std::int64_t read = file.readAt(offset, m_block, length, false);
    if (read < 0)
        return Result::Failed;
    auto taken = std::make_shared<std::atomic<bool>>(false);
    std::function<void()> digest = [&file, offset, block = m_block, read] {
        file.addToDigest(offset, block, static_cast<std::size_t>(read));
    };
    const std::uint64_t number = writer->post([taken, digest] {
        if (!taken->exchange(true))
            digest();
    });
    m_digestTask = DigestTask{writer, number, std::move(taken), std::move(digest)};
    return static_cast<std::size_t>(read) == length ? Result::Read : Result::Short;
}

void BlockReader::waitForDigest()
{
    if (!m_digestTask)
        return;
    const DigestTask task = *std::exchange(m_digestTask, std::nullopt);
    if (task.taken->exchange(true))
        task.writer->waitFor(task.number);
    else
        task.digest();
}
