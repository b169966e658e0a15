#pragma once

#include "BlockReader.h"
#include "NcMerge.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Where a kept line starts, for reading its text once the copy is done.
struct KeptLine
{
    std::uint64_t start;
    std::int64_t number;
};

// The last kept lines of an input, in a ring: the copy notes every kept line, so it must be
// cheap.
struct KeptRing
{
    std::array<KeptLine, 4> lines{};
    std::uint64_t count = 0;

    void remember(std::uint64_t start, std::int64_t number)
    {
        lines[count++ % lines.size()] = {start, number};
    }
};

// Keeps the record of one input as its lines pass: the lines cut, the first kept ones and those
// the request picks out, the first control byte, and at the end the last kept lines. The record
// is bounded, whatever the cuts.
class InputRecorder
{
public:
    InputRecorder(InputRecord& record, std::uint32_t noteKept)
        : m_record(&record), m_noteKept(noteKept)
    {}

    InputRecord& record() { return *m_record; }
    KeptRing& lastKept() { return m_lastKept; }
    // Whether a kept line must be recorded even when plain: the first ones are.
    bool wantsFirstKept() const { return m_record->firstKept.size() < InputRecord::kContextLines; }

    void kept(std::int64_t number, std::string_view text, NcLineFacts&& facts);
    void cutAtTop(NumberedLine&& line) { cut(m_record->cutTop, m_record->cutTopLines, line); }
    void cutAtBottom(NumberedLine&& line)
    {
        cut(m_record->cutBottom, m_record->cutBottomLines, line);
    }
    void noteControlByte(std::uint64_t lineStart, std::int64_t number, const NcLineFacts& facts)
    {
        if (facts.has(NcLineFacts::ControlByte) && !m_record->controlByte)
            m_record->controlByte = {lineStart + facts.controlByteColumn, number,
                                     facts.controlByte};
    }
    // Reads the texts of the last kept lines again; false when they are no longer where the
    // copy saw them.
    BlockReader::Result readLastKept(BlockReader& reader, InputFile& file,
                                     NcLineReader::Dialect dialect, bool& found);

private:
    void cut(std::vector<NumberedLine>& lines, std::int64_t& count, NumberedLine& line);

    InputRecord* m_record; // a pointer: the candidate that holds the recorder is moved
    std::uint32_t m_noteKept;
    KeptRing m_lastKept;
};

inline NumberedLine numbered(std::int64_t number, ScannedLine& line)
{
    return {number, std::move(line.text), line.truncated, std::move(line.facts)};
}
