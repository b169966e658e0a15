// The copy of an input's kept region: plain lines many at a time, notable ones through the stages.

#include "LineCopy.h"

#include "core/nc/LineScan.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Puts a line and a CR LF after it into the writer's free space, as addLine does, or through
// the writer where it does not fit.
[[gnu::always_inline]] inline void putLine(BlockWriter& out, BlockWriter::Space& space,
                                           const char* bytes, std::size_t length)
{
    if (length + 2 > std::size_t(space.end - space.at)) {
        out.filled(space.at);
        out.addLine({bytes, length});
        space = out.space();
        return;
    }
    if (length <= BlockWriter::kReadAhead)
        std::memcpy(space.at, bytes, BlockWriter::kReadAhead);
    else
        std::memcpy(space.at, bytes, length);
    space.at[length] = '\r';
    space.at[length + 1] = '\n';
    space.at += length + 2;
}

} // namespace

LineCopy::LineCopy(BlockWriter* writer, NcLineReader& reader, InputRecorder& recorder,
                   InputStages& stages, std::uint32_t noteKept, std::int64_t lineNumber)
    : m_writer(writer), m_reader(reader), m_recorder(recorder), m_stages(stages),
      m_keptFactsOnly((noteKept & ~NcLineFacts::kKeptLineFacts) == 0), m_lineNumber(lineNumber),
      m_line(&reader)
{}

std::size_t LineCopy::copyBlock(std::string_view bytes, std::uint64_t offset, bool lastBlock)
{
    Cursor at{.begin = bytes.data(),
              .end = bytes.data() + bytes.size(),
              .offset = offset,
              .p = bytes.data(),
              .run = bytes.data(),
              .lineNumber = m_lineNumber};
    if (m_lineOpen && !endOpenLine(at))
        return bytes.size();
    copyLines(at);
    write({at.run, std::size_t(at.p - at.run)});
    m_lineNumber = at.lineNumber;
    InputRecord& record = m_recorder.record();
    record.contentLines += at.contentLines;
    record.blankLinesDropped += at.blankLines;
    if (at.p < at.end && !lastBlock && at.p > at.begin)
        return std::size_t(at.p - at.begin);
    if (at.p < at.end) {
        m_lineOpen = true;
        m_lineStart = offset + std::uint64_t(at.p - at.begin);
        carry(at.p, at.end);
    }
    return bytes.size();
}

// Carries an open line on into this block; false when it runs on past it.
bool LineCopy::endOpenLine(Cursor& at)
{
    const char* lf = static_cast<const char*>(std::memchr(at.p, '\n', std::size_t(at.end - at.p)));
    carry(at.p, lf ? lf : at.end);
    if (!lf)
        return false;
    ++at.lineNumber;
    ScannedLine line;
    if (m_line.finish(true, line)) {
        m_stages.streamed(at.lineNumber, line.text, line.facts, !line.truncated);
        // A CR held back right before the LF is the CR of the CR LF written now.
        write(kLineEnd);
        keep(at, nullptr, line.text, std::move(line.facts));
    } else {
        ++at.blankLines;
    }
    m_lineOpen = false;
    m_pendingCr = false;
    at.p = lf + 1;
    at.run = at.p;
    return true;
}

void LineCopy::finish()
{
    if (!m_lineOpen)
        return;
    // The last line of the file, without a line end: a CR at its end is content.
    ++m_lineNumber;
    ScannedLine last;
    InputRecord& record = m_recorder.record();
    if (m_line.finish(false, last)) {
        m_stages.streamed(m_lineNumber, last.text, last.facts, !last.truncated);
        write(m_pendingCr ? "\r\r\n" : kLineEnd);
        ++record.contentLines;
        m_recorder.lastKept().remember(m_lineStart, m_lineNumber);
        m_recorder.noteControlByte(m_lineStart, m_lineNumber, last.facts);
        m_recorder.kept(m_lineNumber, last.text, std::move(last.facts));
    } else {
        ++record.blankLinesDropped;
    }
    m_lineOpen = false;
}

// Asked again after each line read word by word: the first statement decides the dialect, and
// a stage may read every line for a while (placement up to the first move).
bool LineCopy::scanDecides() const
{
    return m_keptFactsOnly && m_reader.dialect() == NcLineReader::Dialect::Iso &&
           !m_stages.readsEveryLine();
}

// The lines of chunks without a notable byte are all plain: they are copied in a loop of their
// own. Its cursor, counts and the output's free space are locals, which the compiler keeps in
// registers: fields would be read again after every copy through a char pointer.
[[gnu::always_inline]] inline void LineCopy::copyPlainLines(Cursor& at, LineScan& scan)
{
    const char* line = at.p;
    const char* unwritten = at.run;
    std::int64_t number = at.lineNumber;
    std::int64_t content = at.contentLines;
    std::int64_t blank = at.blankLines;
    KeptRing& ring = m_recorder.lastKept();
    std::uint64_t kept = ring.count;
    const std::uint64_t blockOffset = at.offset;
    const char* const blockBegin = at.begin;
    auto* const lastKept = ring.lines.data();
    BlockWriter* const out = m_writer;
    BlockWriter::Space space = out ? out->space() : BlockWriter::Space{};
    while (std::uint64_t ends = scan.takePlainLineEnds(line)) {
        const char* const chunk = scan.chunk();
        do {
            const char* const lf = chunk + std::countr_zero(ends);
            ends &= ends - 1;
            ++number;
            const bool crLf = lf > line && lf[-1] == '\r';
            if (lf - line == (crLf ? 1 : 0)) {
                if (out) {
                    out->filled(space.at);
                    out->add({unwritten, std::size_t(line - unwritten)});
                    space = out->space();
                }
                unwritten = lf + 1;
                ++blank;
                line = lf + 1;
                continue;
            }
            ++content;
            lastKept[kept++ % ring.lines.size()] = {blockOffset + std::uint64_t(line - blockBegin),
                                                    number};
            line = lf + 1;
            if (crLf)
                continue;
            if (out)
                putLine(*out, space, unwritten, std::size_t(lf - unwritten));
            unwritten = lf + 1;
        } while (ends != 0);
    }
    if (out)
        out->filled(space.at);
    at.p = line;
    at.run = unwritten;
    at.lineNumber = number;
    at.contentLines = content;
    at.blankLines = blank;
    ring.count = kept;
}

void LineCopy::copyLines(Cursor& at)
{
    LineScan scan(at.p, at.end, m_stages.notesOffsets());
    bool scanned = scanDecides();
    while (true) {
        if (scanned && !m_recorder.wantsFirstKept())
            copyPlainLines(at, scan);
        const char* lf = scan.nextLineEnd();
        if (!lf)
            break;
        copyNotableLine(at, scan, lf, scanned);
        at.p = lf + 1;
    }
}

// One line taken on its own: blank, notable, or plain but among the first kept.
void LineCopy::copyNotableLine(Cursor& at, LineScan& scan, const char* lf, bool& scanned)
{
    ++at.lineNumber;
    const bool crLf = lf > at.p && lf[-1] == '\r';
    const std::size_t length = std::size_t(lf - at.p) - (crLf ? 1 : 0);
    if (length == 0) {
        write({at.run, std::size_t(at.p - at.run)});
        at.run = lf + 1;
        ++at.blankLines;
        return;
    }
    const std::string_view text{at.p, length};
    const bool plain = scanned && !scan.notableWithin(at.p, at.p + length);
    if (!plain) {
        NcLineFacts facts = m_reader.read(text);
        if (!m_stages.empty())
            at.run = rewrite(at.lineNumber, text, facts, at.run, lf);
        std::vector<NcWord> words = std::move(facts.words); // read by the stages only
        keep(at, at.p, text, std::move(facts));
        m_reader.recycle(std::move(words));
        scanned = scanDecides();
    }
    if (!crLf && at.run <= at.p) {
        if (m_writer)
            m_writer->addLine({at.run, std::size_t(lf - at.run)});
        at.run = lf + 1;
    }
    if (plain) {
        ++at.contentLines;
        if (m_recorder.wantsFirstKept())
            m_recorder.kept(at.lineNumber, text, {});
        m_recorder.lastKept().remember(at.offset + std::uint64_t(at.p - at.begin), at.lineNumber);
    }
}

// Writes what the stages put before a kept line or in its place, and the bytes not yet written
// before it; returns where the unwritten bytes now start.
const char* LineCopy::rewrite(std::int64_t number, std::string_view text, const NcLineFacts& facts,
                              const char* run, const char* lineEnd)
{
    const LineRewrite changes = m_stages.pass(number, text, facts);
    if (changes.inserted.empty() && !changes.rewritten)
        return run;
    write({run, std::size_t(text.data() - run)});
    if (!changes.inserted.empty()) {
        write(changes.inserted);
        write(kLineEnd);
    }
    if (!changes.rewritten)
        return text.data();
    write(*changes.rewritten);
    write(kLineEnd);
    return lineEnd + 1;
}

void LineCopy::keep(Cursor& at, const char* start, std::string_view text, NcLineFacts&& facts)
{
    ++at.contentLines;
    const std::uint64_t lineStart =
        start ? at.offset + std::uint64_t(start - at.begin) : m_lineStart;
    m_recorder.noteControlByte(lineStart, at.lineNumber, facts);
    m_recorder.kept(at.lineNumber, text, std::move(facts));
    m_recorder.lastKept().remember(lineStart, at.lineNumber);
}

// Writes the bytes of an open line, holding back a CR at their end.
void LineCopy::carry(const char* from, const char* to)
{
    if (from == to)
        return;
    if (m_pendingCr)
        write("\r");
    m_pendingCr = to[-1] == '\r';
    write({from, std::size_t(to - from) - (m_pendingCr ? 1 : 0)});
    m_line.add(from, std::size_t(to - from));
}
