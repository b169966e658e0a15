// The record of one input: the lines cut, the kept lines noted, the last kept lines read again.

#include "InputRecorder.h"

#include <algorithm>

void InputRecorder::kept(std::int64_t number, std::string_view text, NcLineFacts&& facts)
{
    const bool first = wantsFirstKept();
    const bool noted = (facts.facts & m_noteKept) != 0;
    if (!first && !noted)
        return;
    facts.words = {}; // read by the tools, of no use to the record
    NumberedLine line{number, std::string(text.substr(0, NumberedLine::kMaxTextBytes)),
                      text.size() > NumberedLine::kMaxTextBytes, std::move(facts)};
    if (first)
        m_record->firstKept.push_back(noted ? line : std::move(line));
    if (noted && m_record->notedKept.size() < InputRecord::kMaxNotedLines)
        m_record->notedKept.push_back(std::move(line));
    else if (noted)
        m_record->notAllNoted = true;
}

// Lists a cut line among the first of its end, or after them when the checks need it.
void InputRecorder::cut(std::vector<NumberedLine>& lines, std::int64_t& count, NumberedLine& line)
{
    ++count;
    if (lines.size() < InputRecord::kListedCutLines) {
        lines.push_back(std::move(line));
        return;
    }
    // Block numbers label nearly every line: only program and Heidenhain labels are kept.
    const bool needed = line.facts.facts != 0 || (line.facts.label && line.facts.label.kind != 'N');
    if (!needed)
        return;
    if (lines.size() < InputRecord::kMaxNotedLines)
        lines.push_back(std::move(line));
    else
        m_record->notAllNoted = true;
}

BlockReader::Result InputRecorder::readLastKept(BlockReader& reader, InputFile& file,
                                                NcLineReader::Dialect dialect, bool& found)
{
    const std::uint64_t count =
        std::min<std::uint64_t>(m_lastKept.count, InputRecord::kContextLines);
    found = true;
    if (count == 0)
        return BlockReader::Result::Read;
    std::vector<KeptLine> kept;
    for (std::uint64_t i = m_lastKept.count - count; i < m_lastKept.count; ++i)
        kept.push_back(m_lastKept.lines[i % m_lastKept.lines.size()]);
    // One look from the first to the last, as far as the text a record keeps and its line end.
    const std::uint64_t end =
        std::min(file.size(), kept.back().start + NumberedLine::kMaxTextBytes + 2);
    std::size_t next = 0;
    NcLineReader lineReader(dialect);
    const BlockReader::Result read =
        reader.scanLines(file, kept.front().start, end, lineReader, [&](ScannedLine& line) {
            if (line.start == kept[next].start)
                m_record->lastKept.push_back(numbered(kept[next++].number, line));
            return next < kept.size();
        });
    found = next == kept.size();
    return read;
}
