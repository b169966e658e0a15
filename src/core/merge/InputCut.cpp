// Where the top and bottom cuts of an input fall.

#include "InputCut.h"

BlockReader::Result InputCut::scanHead(InputFile& file, NcLineReader& reader,
                                       InputRecorder& recorder, bool cutTop, InputHead& head)
{
    const std::int64_t needed = std::int64_t(m_delUp) + m_delBtm;
    return m_reader.scanLines(file, 0, file.size(), reader, [&](ScannedLine& line) {
        ++head.lines;
        head.contentLines += line.blank ? 0 : 1;
        if (head.contentLines == 1 && !line.blank)
            head.startsWithPercent = line.facts.has(NcLineFacts::TapeMark);
        recorder.noteControlByte(line.start, head.lines, line.facts);
        if (head.lines <= m_delUp) {
            head.topEnd = line.end;
            head.topContentLines = head.contentLines;
            if (cutTop)
                recorder.cutAtTop(numbered(head.lines, line));
        }
        head.eligible = head.contentLines > needed;
        return !head.eligible || reader.dialect() == NcLineReader::Dialect::Undecided;
    });
}

BlockReader::Result InputCut::findBottomStart(InputFile& file, std::uint64_t lower,
                                              std::uint64_t& start)
{
    start = file.size();
    if (m_delBtm == 0)
        return BlockReader::Result::Read;
    std::int64_t content = 0;
    std::optional<std::uint64_t> lineEnd; // the LF that ends the line looked at
    bool unterminated = false;
    char laterFirst = 0; // the first byte of the block read before this one
    const std::uint64_t blockSize = m_reader.blockSize();
    for (std::uint64_t end = file.size(), look = BlockReader::kFirstLook; end > lower;
         look = std::min<std::uint64_t>(look * 2, blockSize)) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>({look, blockSize, end - lower}));
        const std::uint64_t blockStart = end - length;
        if (const auto read = m_reader.read(file, blockStart, length);
            read != BlockReader::Result::Read)
            return read;
        const char* bytes = m_reader.block();
        if (end == file.size())
            unterminated = bytes[length - 1] != '\n';
        const auto byteAfter = [&](std::uint64_t at) {
            return at + 1 < end ? bytes[at + 1 - blockStart] : laterFirst;
        };
        for (std::size_t i = length; i-- > 0;) {
            if (bytes[i] != '\n')
                continue;
            const std::uint64_t lf = blockStart + i;
            bool isContent = false;
            if (unterminated) {
                isContent = true;
                unterminated = false;
            } else if (lineEnd) {
                const std::uint64_t span = *lineEnd - lf;
                isContent = !(span == 1 || (span == 2 && byteAfter(lf) == '\r'));
            }
            if (isContent && ++content == m_delBtm) {
                start = lf + 1;
                return BlockReader::Result::Read;
            }
            lineEnd = lf;
        }
        laterFirst = bytes[0];
        end = blockStart;
    }
    // The first line of the region; eligibility ensures it is never needed.
    start = lower;
    return BlockReader::Result::Read;
}
