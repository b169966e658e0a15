#pragma once

// The copy of one input's kept lines into the writer, through the input's stages.

#include "BlockWriter.h"
#include "InputRecorder.h"
#include "InputStages.h"
#include "LineAssembly.h"

#include <cstdint>
#include <string_view>

class LineScan;

// Copies the kept region of one input, block by block, into the writer: the cut's lines are
// already left out, blank lines go, an LF alone becomes CR LF. A line with a notable byte is
// read word by word and passes the input's stages; the others are copied as they stand, many
// at a time, and only noted in the record.
class LineCopy
{
public:
    // lineNumber: of the line before the region. noteKept: the facts the record notes.
    LineCopy(BlockWriter* writer, NcLineReader& reader, InputRecorder& recorder,
             InputStages& stages, std::uint32_t noteKept, std::int64_t lineNumber);

    // Copies the whole lines of one block. A line that runs on into the next block is left for
    // that block to read whole; only a line longer than a block is carried, a CR at the block's
    // end held back until it is known whether it is content or the CR of a CR LF. Returns the
    // bytes done with.
    std::size_t copyBlock(std::string_view bytes, std::uint64_t offset, bool lastBlock);
    // Ends the region: its last line, when it has no line end, goes out with one.
    void finish();
    // Of the last line ended.
    std::int64_t lineNumber() const { return m_lineNumber; }

private:
    // A block being copied, and how far: counted in locals, for the loops run once a line.
    struct Cursor
    {
        const char* const begin;
        const char* const end;
        const std::uint64_t offset; // of begin in the input
        const char* p;              // the start of the next line
        const char* run;            // the start of the bytes not yet written
        std::int64_t lineNumber;
        std::int64_t contentLines = 0;
        std::int64_t blankLines = 0;
    };

    bool endOpenLine(Cursor& at);
    void copyLines(Cursor& at);
    void copyNotableLine(Cursor& at, LineScan& scan, const char* lf, bool& scanned);
    void copyPlainLines(Cursor& at, LineScan& scan);
    const char* rewrite(std::int64_t number, std::string_view text, const NcLineFacts& facts,
                        const char* run, const char* lineEnd);
    void keep(Cursor& at, const char* start, std::string_view text, NcLineFacts&& facts);
    void carry(const char* from, const char* to);
    bool scanDecides() const;
    void write(std::string_view bytes)
    {
        if (m_writer)
            m_writer->add(bytes);
    }

    BlockWriter* const m_writer;
    NcLineReader& m_reader;
    InputRecorder& m_recorder;
    InputStages& m_stages;
    // A kept ISO line without a notable byte holds none of a kept line's facts: when the
    // request notes no others, it is not read word by word.
    const bool m_keptFactsOnly;
    std::int64_t m_lineNumber;
    LineAssembly m_line; // a line that began in an earlier block
    bool m_lineOpen = false;
    bool m_pendingCr = false; // a CR at the end of the block, not written yet
    std::uint64_t m_lineStart = 0;
};
