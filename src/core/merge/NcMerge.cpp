#include "NcMerge.h"

#include "AtomicFileWriter.h"
#include "BlockWriter.h"
#include "OutputSink.h"
#include "WrittenLineNumbers.h"
#include "core/nc/LineScan.h"
#include "core/os/TaskThread.h"
#include "core/os/Utf8Path.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kPercentLine = "%\r\n";

// From this much input on, a thread of its own writes while the next block is read: for less,
// handing blocks between threads costs more than it saves.
constexpr std::uint64_t kThreadedBytes = std::uint64_t(16) << 20;
// Inputs are read again, to prove them unchanged, this much at a time.
constexpr std::size_t kCheckBlock = std::size_t(256) << 10;
// Deferred checks keep their inputs open: at most this many wait at a time.
constexpr std::size_t kMaxWaitingChecks = 32;
// A second reading on the checker's thread goes in parts of this much and more, so that a
// thread that waits for it can take some on.
constexpr std::uint64_t kCheckPart = std::uint64_t(8) << 20;
constexpr std::uint64_t kMaxCheckParts = 16;
// The output is written in blocks of at least this much, however small the reads, and of at most
// the second when the merge is small.
constexpr std::size_t kMinOutputBlock = std::size_t(64) << 10;
constexpr std::size_t kSmallOutputBlock = std::size_t(256) << 10;
// The first read of a head or a tail: most need far less than a block.
constexpr std::uint64_t kFirstLook = std::uint64_t(16) << 10;

using Outcome = InputRecord::Outcome;
using Status = MergeReport::Status;

// A line as a scan sees it: where it lies, whether it is blank, and its text, bounded.
struct ScannedLine
{
    std::uint64_t start = 0;
    std::uint64_t end = 0; // past its line end
    bool blank = false;
    std::string text;
    bool truncated = false;
    NcLineFacts facts{};
};

enum class ReadResult
{
    Read,
    Failed, // a read error
    Short,  // the file ended before the size it was opened with
};

// Gathers the bytes of one line that arrive in pieces, keeping at most a bounded text; the
// program's reader reads the whole line.
class LineAssembly
{
public:
    explicit LineAssembly(NcLineReader* reader) : m_reader(reader) {}

    void add(const char* bytes, std::size_t count)
    {
        if (count == 0)
            return;
        m_reader->feed({bytes, count});
        m_bytes += count;
        m_lastIsCr = bytes[count - 1] == '\r';
        const std::size_t room = NumberedLine::kMaxTextBytes + 1 - m_text.size();
        m_text.append(bytes, std::min(count, room));
    }

    // Ends the line, which ended with LF when terminated; false when it is blank.
    bool finish(bool terminated, ScannedLine& line)
    {
        const bool crLf = terminated && m_lastIsCr;
        const std::uint64_t content = m_bytes - (crLf ? 1 : 0);
        if (crLf && m_text.size() == m_bytes)
            m_text.pop_back();
        line.truncated = content > NumberedLine::kMaxTextBytes;
        if (m_text.size() > NumberedLine::kMaxTextBytes)
            m_text.resize(NumberedLine::kMaxTextBytes);
        line.text.swap(m_text);
        line.blank = content == 0;
        line.facts = m_reader->finish();
        m_text.clear();
        m_bytes = 0;
        m_lastIsCr = false;
        return !line.blank;
    }

    bool empty() const { return m_bytes == 0; }

private:
    NcLineReader* m_reader;
    std::string m_text;
    std::uint64_t m_bytes = 0;
    bool m_lastIsCr = false;
};

// Holds the merged program where it is ordered by tool before it is written.
class MemorySink : public OutputSink
{
public:
    void write(std::string_view bytes) override { m_bytes.append(bytes); }
    bool commit() override { return true; }
    const FileError& error() const override { return m_error; }
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    FileError m_error;
};

NumberedLine numbered(std::int64_t number, ScannedLine& line)
{
    return {number, std::move(line.text), line.truncated, std::move(line.facts)};
}

class MergeRun
{
public:
    MergeRun(const MergeRequest& request, OutputSink* sink)
        : m_request(request), m_sink(sink),
          m_blockSize(std::max<std::size_t>(request.blockSize, 1)),
          // Lines are copied from it a few bytes past their end.
          m_buffer(std::make_unique_for_overwrite<char[]>(m_blockSize + BlockWriter::kReadAhead)),
          m_checkBuffer(std::make_unique_for_overwrite<char[]>(kCheckBlock))
    {
        m_report.inputs.resize(request.inputs.size());
        for (std::size_t i = 0; i < request.inputs.size(); ++i) {
            m_report.inputs[i].path = request.inputs[i];
            std::error_code ec;
            const auto size = std::filesystem::file_size(pathFromUtf8(request.inputs[i]), ec);
            m_totalBytes += ec ? 0 : size;
        }
    }
    // The threads may still run tasks that use the members below them: they go first.
    ~MergeRun()
    {
        m_checker.reset();
        m_writer.reset();
    }
    MergeRun(const MergeRun&) = delete;
    MergeRun& operator=(const MergeRun&) = delete;

    MergeReport run();

private:
    // An eligible input, open, with where its top cut ends.
    struct Candidate
    {
        std::size_t index = 0;
        InputFile file{};
        std::uint64_t topEnd = 0;
        std::int64_t topContentLines = 0;
        bool startsWithPercent = false;
        NcLineReader reader{};
    };

    std::optional<Candidate> findEligible(std::size_t from, bool first);
    bool open(std::size_t index, InputFile& file);
    bool scanHead(Candidate& candidate, bool cutTop);
    bool copy(Candidate& candidate, bool cutTop, bool cutBottom);
    std::optional<std::uint64_t> findBottomStart(Candidate& candidate);
    std::size_t copyLines(std::string_view bytes, std::uint64_t offset, std::uint64_t regionEnd,
                          InputRecord& record);
    const char* rewrite(std::int64_t number, std::string_view text, const NcLineFacts& facts,
                        const char* run, const char* lineEnd);
    void streamed(std::int64_t number, const ScannedLine& line);
    void recordKept(InputRecord& record, std::int64_t number, std::string_view text,
                    NcLineFacts&& facts);
    bool recordLastKept(Candidate& candidate);
    static void recordCut(InputRecord& record, std::vector<NumberedLine>& cut, std::int64_t& count,
                          NumberedLine&& line);
    static void noteControlByte(InputRecord& record, std::uint64_t lineStart, std::int64_t number,
                                const NcLineFacts& facts);

    template <typename OnLine>
    ReadResult scanLines(InputFile& file, std::uint64_t begin, std::uint64_t end,
                         NcLineReader& reader, OnLine onLine);
    ReadResult readBlock(InputFile& file, std::uint64_t offset, std::size_t length);
    ReadResult readCopyBlock(InputFile& file, std::uint64_t offset, std::size_t length);
    void waitForDigest();
    bool provedUnchanged(Candidate& candidate, bool mayDefer = false);
    bool deferredChecksPassed();
    bool inputChanged(std::size_t index);
    bool readFailed(std::size_t index, InputFile& file, ReadResult read);
    bool fail(Status status, const std::string& path, FileError error = {});
    std::string orderByTool();
    bool reportProgress(std::uint64_t bytes);
    void write(std::string_view bytes)
    {
        if (m_writer)
            m_writer->add(bytes);
    }

    const MergeRequest& m_request;
    OutputSink* m_sink;
    // Ordered by tool: what the merge wrote, and of each input, the input line of each line.
    std::optional<MemorySink> m_merged;
    std::vector<std::vector<std::int64_t>> m_writtenLines;
    std::optional<BlockWriter> m_writer;
    const std::size_t m_blockSize;
    std::unique_ptr<char[]> m_buffer; // where blocks are read to; not zeroed: only what a read
                                      // filled is used
    // Where inputs are read again to prove them unchanged on the reading thread.
    std::unique_ptr<char[]> m_checkBuffer;
    // A copied input whose second reading runs on a thread of its own while the merge goes on:
    // on the writer's, it would hold up the blocks handed over after it.
    struct DeferredCheck
    {
        DeferredCheck(std::size_t index, InputFile file) : index(index), file(std::move(file)) {}

        std::size_t index;
        InputFile file;
        std::vector<std::optional<ContentDigest>> parts; // of the second reading
        std::atomic<std::size_t> partsLeft = 0;          // the last part done completes it
        bool unchanged = false;
    };
    static void checkPart(DeferredCheck& check, std::size_t part);
    std::deque<DeferredCheck> m_deferredChecks;
    std::optional<TaskThread> m_checker;
    char* m_block = nullptr; // the block read last
    // Digesting m_block: on the writer's thread, or on this one if it has not started there when
    // this one needs the block again. Whichever takes it first digests.
    struct DigestTask
    {
        std::uint64_t number;
        std::shared_ptr<std::atomic<bool>> taken;
        std::function<void()> digest;
    };
    std::optional<DigestTask> m_digestTask;
    std::uint64_t m_totalBytes = 0;
    std::uint64_t m_doneBytes = 0;
    bool m_failed = false;
    MergeReport m_report;

    // Where a kept line starts, for reading its text once the copy is done.
    struct KeptLine
    {
        std::uint64_t start;
        std::int64_t number;
    };

    // The copy of one file, line by line across blocks.
    struct CopyState
    {
        NcLineReader* reader = nullptr;
        std::int64_t lineNumber = 0; // of the last line ended
        LineAssembly line{nullptr};  // a line that began in an earlier block; set per file
        // What its kept lines pass through, in order; none for a plain copy.
        std::vector<LineStage*> stages;
        // Reads a line as a stage rewrote it, for the stages after it.
        std::optional<NcLineReader> rereader;
        NcLineFacts reread; // kept here: a line's facts are too large to set up for every line
        bool lineOpen = false;
        bool pendingCr = false; // a CR at the end of the block, not written yet
        std::uint64_t lineStart = 0;
        // The last kept lines, in a ring: the copy notes every kept line, so it must be cheap.
        std::array<KeptLine, 4> lastKept{};
        std::uint64_t keptLines = 0;

        void remember(std::uint64_t start, std::int64_t number)
        {
            lastKept[keptLines++ % lastKept.size()] = {start, number};
        }
    } m_copy;
};

MergeReport MergeRun::run()
{
    const std::pair<const char*, int> counts[] = {{"DEL_UP", m_request.delUp},
                                                  {"DEL_BTM", m_request.delBtm}};
    for (const auto& [name, value] : counts)
        if (value < 0) {
            fail(Status::BadTrimCount, name);
            return m_report;
        }

    if (m_request.orderByTool && m_totalBytes > JobOrder::kMaxBytes) {
        m_report.order = JobOrder{.given = JobOrder::Given::TooLarge};
    } else if (m_request.orderByTool) {
        // A plan is ordered too: the preview shows the order and what its proof found.
        m_writtenLines.resize(m_request.inputs.size());
        m_writer.emplace(m_merged.emplace(), std::max(m_blockSize, kMinOutputBlock), false);
    }
    if (m_sink && !m_merged) {
        const bool threaded = m_totalBytes >= kThreadedBytes;
        // A small merge writes smaller blocks: every page of a block touched costs a fault.
        const std::size_t outputBlock =
            threaded ? m_blockSize : std::min(m_blockSize, kSmallOutputBlock);
        m_writer.emplace(*m_sink, std::max(outputBlock, kMinOutputBlock), threaded);
    }
    std::optional<Candidate> current = findEligible(0, true);
    // A Heidenhain program never has "%" lines.
    const bool percentLines = current && m_request.percentLines &&
                              current->reader.dialect() != NcLineReader::Dialect::Heidenhain;
    if (percentLines && !current->startsWithPercent) {
        write(kPercentLine);
        m_report.percentAddedAtStart = true;
    }
    const InputRecord* last = nullptr;
    bool first = true;
    while (current && !m_failed) {
        std::optional<Candidate> next = findEligible(current->index + 1, false);
        if (m_failed || !copy(*current, !first, next.has_value()))
            break;
        last = &m_report.inputs[current->index];
        first = false;
        current = std::move(next);
    }
    if (m_failed)
        return m_report;
    if (m_sink && !last) {
        // Committing would replace the output, which may be one of the inputs, with nothing.
        m_report.status = Status::NothingCopied;
        return m_report;
    }
    if (percentLines &&
        (last->lastKept.empty() || !last->lastKept.back().facts.has(NcLineFacts::TapeMark))) {
        write(kPercentLine);
        m_report.percentAddedAtEnd = true;
    }
    std::string ordered;
    if (m_merged) {
        m_writer->finish();
        ordered = orderByTool();
    }
    if (m_sink && m_request.approve && !m_request.approve(m_report)) {
        fail(Status::NotApproved, "");
        return m_report;
    }
    if (m_checker)
        m_checker->finish();
    if (m_writer)
        m_writer->finish();
    if (!deferredChecksPassed())
        return m_report;
    if (m_sink && m_merged)
        m_sink->write(ordered);
    if (m_sink && !m_sink->commit()) {
        fail(Status::OutputFailed, "", m_sink->error());
        return m_report;
    }
    m_report.status = m_sink ? Status::Written : Status::Planned;
    return m_report;
}

// Opens and looks at the heads of the inputs from index from on, recording the ones left out,
// until one is long enough to be copied.
std::optional<MergeRun::Candidate> MergeRun::findEligible(std::size_t from, bool first)
{
    for (std::size_t index = from; index < m_request.inputs.size() && !m_failed; ++index) {
        Candidate candidate{.index = index};
        if (!open(index, candidate.file))
            continue;
        if (scanHead(candidate, !first))
            return candidate;
    }
    return std::nullopt;
}

bool MergeRun::open(std::size_t index, InputFile& file)
{
    InputRecord& record = m_report.inputs[index];
    const InputFile::OpenResult result = file.open(record.path);
    record.stamp = file.stamp();
    switch (result) {
    case InputFile::OpenResult::Opened:
        record.outcome = Outcome::Copied;
        break;
    case InputFile::OpenResult::Unreadable:
        record.outcome = Outcome::Unreadable;
        break;
    case InputFile::OpenResult::NotRegularFile:
        record.outcome = Outcome::NotRegularFile;
        break;
    case InputFile::OpenResult::Failed:
        record.outcome = Outcome::Failed;
        break;
    }
    record.error = result == InputFile::OpenResult::Opened ? FileError() : file.error();
    if (result == InputFile::OpenResult::Failed)
        return fail(Status::InputFailed, record.path, record.error);

    if (const MergeReport* plan = m_request.plan; plan && index < plan->inputs.size()) {
        const InputRecord& planned = plan->inputs[index];
        const bool wasOpened =
            planned.outcome == Outcome::Copied || planned.outcome == Outcome::Short;
        const bool isOpened = result == InputFile::OpenResult::Opened;
        if (wasOpened != isOpened || (isOpened && planned.stamp != record.stamp)) {
            record.outcome = Outcome::Changed;
            record.error = {FileError::Cause::ChangedSincePlan};
            fail(Status::InputChanged, record.path, record.error);
            return false;
        }
    }
    return result == InputFile::OpenResult::Opened;
}

// Counts content lines from the top until the file proves long enough for the cuts, noting
// where the top cut ends and, when it will be cut, the lines it cuts. A short file is recorded
// and closed.
bool MergeRun::scanHead(Candidate& candidate, bool cutTop)
{
    InputRecord& record = m_report.inputs[candidate.index];
    const std::int64_t needed = std::int64_t(m_request.delUp) + m_request.delBtm;
    std::int64_t lines = 0;
    std::int64_t content = 0;
    bool eligible = false;
    NcLineReader& reader = candidate.reader;
    const ReadResult read =
        scanLines(candidate.file, 0, candidate.file.size(), reader, [&](ScannedLine& line) {
            ++lines;
            content += line.blank ? 0 : 1;
            if (content == 1 && !line.blank)
                candidate.startsWithPercent = line.facts.has(NcLineFacts::TapeMark);
            noteControlByte(record, line.start, lines, line.facts);
            if (lines <= m_request.delUp) {
                candidate.topEnd = line.end;
                candidate.topContentLines = content;
                if (cutTop)
                    recordCut(record, record.cutTop, record.cutTopLines, numbered(lines, line));
            }
            eligible = content > needed;
            // Read on to the program's first statement, which tells its dialect.
            return !eligible || reader.dialect() == NcLineReader::Dialect::Undecided;
        });
    if (read != ReadResult::Read)
        return readFailed(candidate.index, candidate.file, read);
    if (eligible)
        return true;
    if (!provedUnchanged(candidate))
        return false;
    record.dialect = reader.dialect();
    record.outcome = Outcome::Short;
    record.contentLines = content;
    record.lines = lines;
    record.cutTop.clear();
    record.cutTopLines = 0;
    record.notAllNoted = false;
    reportProgress(candidate.file.size());
    return false;
}

bool MergeRun::copy(Candidate& candidate, bool cutTop, bool cutBottom)
{
    InputRecord& record = m_report.inputs[candidate.index];
    InputFile& file = candidate.file;
    const std::uint64_t begin = cutTop ? candidate.topEnd : 0;
    std::uint64_t end = file.size();
    if (cutBottom) {
        const std::optional<std::uint64_t> bottom = findBottomStart(candidate);
        if (!bottom)
            return false;
        end = *bottom;
    }

    CopyState& state = m_copy;
    state = CopyState();
    state.reader = &candidate.reader;
    const bool heidenhain = candidate.reader.dialect() == NcLineReader::Dialect::Heidenhain;
    std::optional<OffsetPlacement> placement;
    if (candidate.index < m_request.cells.size() && m_request.cells[candidate.index]) {
        const MergeRequest::Cell& cell = *m_request.cells[candidate.index];
        record.placement = InputPlacement{
            .cell = cell.offset, .firstCell = cell.first, .rewrite = m_request.rewriteOffsets};
        // A Heidenhain program keeps its own datum.
        if (!heidenhain)
            state.stages.push_back(&placement.emplace(*record.placement));
    }
    std::optional<ToolUsageReader> tools;
    if (m_request.readTools) {
        const bool changes = candidate.index < m_request.toolSpeeds.size() &&
                             !m_request.toolSpeeds[candidate.index].empty();
        state.stages.push_back(
            &tools.emplace(record.tools.emplace(),
                           changes ? &m_request.toolSpeeds[candidate.index] : nullptr, heidenhain));
        candidate.reader.keepWords(true);
        candidate.reader.keepAxisWords(true); // the main feed is the one of the longest path
    }
    std::optional<WrittenLineNumbers> written;
    if (m_merged)
        state.stages.push_back(&written.emplace(m_writtenLines[candidate.index]));
    if (state.stages.size() > 1) {
        state.rereader.emplace(candidate.reader.dialect());
        state.rereader->keepWords(true);
        state.rereader->keepAxisWords(true);
    }
    state.line = LineAssembly(&candidate.reader);
    state.lineNumber = cutTop ? record.cutTopLines : 0;
    record.contentLines = cutTop ? candidate.topContentLines : 0;
    for (std::uint64_t offset = begin; offset < end;) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(m_blockSize, end - offset));
        if (const ReadResult read = readCopyBlock(file, offset, length); read != ReadResult::Read) {
            waitForDigest();
            return readFailed(candidate.index, file, read);
        }
        const std::size_t copied = copyLines({m_block, length}, offset, end, record);
        offset += copied;
        if (!reportProgress(copied)) {
            waitForDigest();
            return false;
        }
    }
    waitForDigest();
    if (state.lineOpen) {
        // The last line of the file, without a line end: a CR at its end is content.
        ++state.lineNumber;
        ScannedLine last;
        if (state.line.finish(false, last)) {
            streamed(state.lineNumber, last);
            write(state.pendingCr ? "\r\r\n" : kLineEnd);
            ++record.contentLines;
            state.remember(state.lineStart, state.lineNumber);
            noteControlByte(record, state.lineStart, state.lineNumber, last.facts);
            recordKept(record, state.lineNumber, last.text, std::move(last.facts));
        } else {
            ++record.blankLinesDropped;
        }
    }

    candidate.reader.keepWords(false);
    candidate.reader.keepAxisWords(false);
    if (cutBottom) {
        const ReadResult read =
            scanLines(file, end, file.size(), candidate.reader, [&](ScannedLine& line) {
                record.contentLines += line.blank ? 0 : 1;
                noteControlByte(record, line.start, ++state.lineNumber, line.facts);
                recordCut(record, record.cutBottom, record.cutBottomLines,
                          numbered(state.lineNumber, line));
                return true;
            });
        if (read != ReadResult::Read)
            return readFailed(candidate.index, file, read);
    }
    record.lines = state.lineNumber;
    record.dialect = candidate.reader.dialect();
    if (!recordLastKept(candidate) || !provedUnchanged(candidate, true))
        return false;
    return reportProgress(file.size() - (end - begin));
}

// Notes a kept line in the record: among the first ones, or when the request picks it out.
void MergeRun::recordKept(InputRecord& record, std::int64_t number, std::string_view text,
                          NcLineFacts&& facts)
{
    const bool first = record.firstKept.size() < InputRecord::kContextLines;
    const bool noted = (facts.facts & m_request.noteKept) != 0;
    if (!first && !noted)
        return;
    facts.words = {}; // read by the tools, of no use to the record
    NumberedLine line{number, std::string(text.substr(0, NumberedLine::kMaxTextBytes)),
                      text.size() > NumberedLine::kMaxTextBytes, std::move(facts)};
    if (first)
        record.firstKept.push_back(noted ? line : std::move(line));
    if (noted && record.notedKept.size() < InputRecord::kMaxNotedLines)
        record.notedKept.push_back(std::move(line));
    else if (noted)
        record.notAllNoted = true;
}

// Lists a cut line among the first of its end, or after them when the checks need it.
void MergeRun::recordCut(InputRecord& record, std::vector<NumberedLine>& cut, std::int64_t& count,
                         NumberedLine&& line)
{
    ++count;
    if (cut.size() < InputRecord::kListedCutLines) {
        cut.push_back(std::move(line));
        return;
    }
    // Block numbers label nearly every line: only program and Heidenhain labels are kept.
    const bool needed = line.facts.facts != 0 || (line.facts.label && line.facts.label.kind != 'N');
    if (!needed)
        return;
    if (cut.size() < InputRecord::kMaxNotedLines)
        cut.push_back(std::move(line));
    else
        record.notAllNoted = true;
}

void MergeRun::noteControlByte(InputRecord& record, std::uint64_t lineStart, std::int64_t number,
                               const NcLineFacts& facts)
{
    if (facts.has(NcLineFacts::ControlByte) && !record.controlByte)
        record.controlByte = {lineStart + facts.controlByteColumn, number, facts.controlByte};
}

// Copies whole lines of one block: stretches of lines that already end with CR LF go out as
// they are; an LF alone becomes CR LF and blank lines are dropped. A line that runs on into the
// next block is left for that block to read whole; only a line longer than a block is carried,
// a CR at the block's end held back until it is known whether it is content or the CR of a CR
// LF. Returns the bytes done with.
std::size_t MergeRun::copyLines(std::string_view bytes, std::uint64_t offset,
                                std::uint64_t regionEnd, InputRecord& record)
{
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    CopyState& state = m_copy;
    // Counted in locals: the loop below runs once a line.
    std::int64_t lineNumber = state.lineNumber;
    std::int64_t contentLines = 0;
    std::int64_t blankLines = 0;
    const auto keep = [&](const char* start, std::string_view text, NcLineFacts&& facts) {
        ++contentLines;
        const std::uint64_t lineStart =
            start ? offset + std::uint64_t(start - begin) : state.lineStart;
        noteControlByte(record, lineStart, lineNumber, facts);
        recordKept(record, lineNumber, text, std::move(facts));
        state.remember(lineStart, lineNumber);
    };
    const auto keepPlain = [&](const char* start, std::string_view text) {
        ++contentLines;
        if (record.firstKept.size() < InputRecord::kContextLines)
            recordKept(record, lineNumber, text, {});
        state.remember(offset + std::uint64_t(start - begin), lineNumber);
    };
    // Writes the bytes of an open line, holding back a CR at their end.
    const auto carry = [&](const char* from, const char* to) {
        if (from == to)
            return;
        if (state.pendingCr)
            write("\r");
        state.pendingCr = to[-1] == '\r';
        write({from, std::size_t(to - from) - (state.pendingCr ? 1 : 0)});
        state.line.add(from, std::size_t(to - from));
    };

    const char* p = begin;
    if (state.lineOpen) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        carry(p, lf ? lf : end);
        if (!lf)
            return bytes.size();
        ++lineNumber;
        ScannedLine line;
        if (state.line.finish(true, line)) {
            streamed(lineNumber, line);
            // A CR held back right before the LF is the CR of the CR LF written now.
            write(kLineEnd);
            keep(nullptr, line.text, std::move(line.facts));
        } else {
            ++blankLines;
        }
        state.lineOpen = false;
        state.pendingCr = false;
        p = lf + 1;
    }

    // A kept ISO line without a notable byte holds none of a kept line's facts: when the request
    // notes no others, it is not read word by word.
    const bool keptFactsOnly = (m_request.noteKept & ~NcLineFacts::kKeptLineFacts) == 0;
    const bool notesOffsets =
        std::any_of(state.stages.begin(), state.stages.end(),
                    [](const LineStage* stage) { return stage->notesOffsets(); });
    LineScan scan(p, end, notesOffsets);
    // Asked again after each line read word by word: the first statement decides the dialect,
    // and a stage may read every line for a while (placement up to the first move).
    const auto scanDecides = [&] {
        return keptFactsOnly && state.reader->dialect() == NcLineReader::Dialect::Iso &&
               std::none_of(state.stages.begin(), state.stages.end(),
                            [](const LineStage* stage) { return stage->readsEveryLine(); });
    };
    bool scanned = scanDecides();
    const char* run = p; // start of the bytes not yet written
    // The lines of chunks without a notable byte are all plain: they are copied in a loop of
    // their own. Its cursor, counts and the output's free space are locals, which the compiler
    // keeps in registers: fields would be read again after every copy through a char pointer.
    const auto copyPlainLines = [&] {
        const char* line = p;
        const char* unwritten = run;
        std::int64_t number = lineNumber;
        std::int64_t content = contentLines;
        std::int64_t blank = blankLines;
        std::uint64_t kept = state.keptLines;
        const std::uint64_t blockOffset = offset;
        const char* const blockBegin = begin;
        auto* const lastKept = state.lastKept.data();
        BlockWriter* const out = m_writer ? &*m_writer : nullptr;
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
                lastKept[kept++ % state.lastKept.size()] = {
                    blockOffset + std::uint64_t(line - blockBegin), number};
                line = lf + 1;
                if (crLf)
                    continue;
                const std::size_t length = std::size_t(lf - unwritten);
                if (out && length + 2 <= std::size_t(space.end - space.at)) {
                    if (length <= BlockWriter::kReadAhead)
                        std::memcpy(space.at, unwritten, BlockWriter::kReadAhead);
                    else
                        std::memcpy(space.at, unwritten, length);
                    space.at[length] = '\r';
                    space.at[length + 1] = '\n';
                    space.at += length + 2;
                } else if (out) {
                    out->filled(space.at);
                    out->addLine({unwritten, length});
                    space = out->space();
                }
                unwritten = lf + 1;
            } while (ends != 0);
        }
        if (out)
            out->filled(space.at);
        p = line;
        run = unwritten;
        lineNumber = number;
        contentLines = content;
        blankLines = blank;
        state.keptLines = kept;
    };
    while (true) {
        if (scanned && record.firstKept.size() >= InputRecord::kContextLines)
            copyPlainLines();
        const char* lf = scan.nextLineEnd();
        if (!lf)
            break;
        ++lineNumber;
        const bool crLf = lf > p && lf[-1] == '\r';
        const std::size_t length = std::size_t(lf - p) - (crLf ? 1 : 0);
        if (length == 0) {
            write({run, std::size_t(p - run)});
            run = lf + 1;
            ++blankLines;
        } else {
            const std::string_view text{p, length};
            const bool plain = scanned && !scan.notableWithin(p, p + length);
            if (!plain) {
                NcLineFacts facts = state.reader->read(text);
                if (!state.stages.empty())
                    run = rewrite(lineNumber, text, facts, run, lf);
                keep(p, text, std::move(facts));
                scanned = scanDecides();
            }
            if (!crLf && run <= p) {
                if (m_writer)
                    m_writer->addLine({run, std::size_t(lf - run)});
                run = lf + 1;
            }
            if (plain)
                keepPlain(p, text);
        }
        p = lf + 1;
    }
    write({run, std::size_t(p - run)});
    state.lineNumber = lineNumber;
    record.contentLines += contentLines;
    record.blankLinesDropped += blankLines;
    const bool lastBlock = offset + bytes.size() == regionEnd;
    if (p < end && !lastBlock && p > begin)
        return std::size_t(p - begin);
    if (p < end) {
        state.lineOpen = true;
        state.lineStart = offset + std::uint64_t(p - begin);
        carry(p, end);
    }
    return bytes.size();
}

// Writes what the stages put before a kept line or in its place, and the bytes
// not yet written before it; returns where the unwritten bytes now start.
const char* MergeRun::rewrite(std::int64_t number, std::string_view text, const NcLineFacts& facts,
                              const char* run, const char* lineEnd)
{
    LineRewrite changes;
    for (LineStage* stage : m_copy.stages) {
        // A stage reads the words where they stand in the line as the ones before wrote it.
        if (changes.rewritten)
            m_copy.reread = m_copy.rereader->read(*changes.rewritten);
        stage->pass(changes.rewritten ? WayLine{number, *changes.rewritten, m_copy.reread}
                                      : WayLine{number, text, facts},
                    changes);
    }
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

// A kept line that was written as it streamed in, too long to be held.
void MergeRun::streamed(std::int64_t number, const ScannedLine& line)
{
    for (LineStage* stage : m_copy.stages)
        stage->streamed({number, line.text, line.facts}, !line.truncated);
}

// Orders the merged program by tool, noting what it did in the record; returns it as it is to
// be written.
std::string MergeRun::orderByTool()
{
    JobOrder& record = m_report.order.emplace();
    const std::string& merged = m_merged->bytes();
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < merged.size();) {
        // Every line the merge writes ends with CR LF.
        const std::size_t lf = std::min(merged.find('\n', at), merged.size());
        const std::size_t end = lf > at && merged[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(std::string_view(merged).substr(at, end - at));
        at = lf + 1;
    }
    // Only placed ISO programs can be restarted at their cell.
    for (std::size_t i = 0; i < m_report.inputs.size(); ++i) {
        const InputRecord& input = m_report.inputs[i];
        if (input.outcome != InputRecord::Outcome::Copied)
            continue;
        record.input = i;
        if (input.dialect == NcLineReader::Dialect::Heidenhain)
            record.given = JobOrder::Given::Heidenhain;
        else if (!input.placement)
            record.given = JobOrder::Given::NotPlaced;
        if (record.given != JobOrder::Given::No)
            return merged;
    }
    std::vector<OrderProgram> programs;
    std::size_t next = m_report.percentAddedAtStart ? 1 : 0;
    for (std::size_t i = 0; i < m_report.inputs.size(); ++i) {
        const InputRecord& input = m_report.inputs[i];
        if (input.outcome != InputRecord::Outcome::Copied)
            continue;
        const std::vector<std::int64_t>& numbers = m_writtenLines[i];
        const std::size_t count = std::min(numbers.size(), lines.size() - next);
        const auto first = lines.begin() + std::ptrdiff_t(next);
        programs.push_back(
            {i, input.placement->cell, {first, first + std::ptrdiff_t(count)}, numbers});
        next += count;
    }
    const std::vector<std::string_view> before(
        lines.begin(), lines.begin() + (m_report.percentAddedAtStart ? 1 : 0));
    const std::vector<std::string_view> after(lines.begin() + std::ptrdiff_t(next), lines.end());
    OrderedJob job = ::orderByTool(programs, m_request.retract, before, after);
    record = std::move(job.record);
    if (record.given != JobOrder::Given::No)
        return merged;
    std::string ordered;
    ordered.reserve(merged.size() + merged.size() / 8);
    for (const OrderedLine& line : job.lines) {
        ordered.append(line.text);
        ordered.append(kLineEnd);
    }
    return ordered;
}

// Where the last delBtm content lines begin, found from the end backwards.
std::optional<std::uint64_t> MergeRun::findBottomStart(Candidate& candidate)
{
    InputFile& file = candidate.file;
    const std::uint64_t lower = candidate.topEnd;
    if (m_request.delBtm == 0)
        return file.size();
    std::int64_t content = 0;
    std::optional<std::uint64_t> lineEnd; // the LF that ends the line looked at
    bool unterminated = false;
    char laterFirst = 0; // the first byte of the block read before this one
    for (std::uint64_t end = file.size(), look = kFirstLook; end > lower;
         look = std::min<std::uint64_t>(look * 2, m_blockSize)) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>({look, m_blockSize, end - lower}));
        const std::uint64_t start = end - length;
        const ReadResult read = readBlock(file, start, length);
        if (read != ReadResult::Read) {
            readFailed(candidate.index, file, read);
            return std::nullopt;
        }
        const char* bytes = m_block;
        if (end == file.size())
            unterminated = bytes[length - 1] != '\n';
        const auto byteAfter = [&](std::uint64_t at) {
            return at + 1 < end ? bytes[at + 1 - start] : laterFirst;
        };
        for (std::size_t i = length; i-- > 0;) {
            if (bytes[i] != '\n')
                continue;
            const std::uint64_t lf = start + i;
            bool isContent = false;
            if (unterminated) {
                isContent = true;
                unterminated = false;
            } else if (lineEnd) {
                const std::uint64_t span = *lineEnd - lf;
                isContent = !(span == 1 || (span == 2 && byteAfter(lf) == '\r'));
            }
            if (isContent && ++content == m_request.delBtm)
                return lf + 1;
            lineEnd = lf;
        }
        laterFirst = bytes[0];
        end = start;
    }
    // The first line of the region; eligibility ensures it is never needed.
    return lower;
}

// Reads the texts of the last kept lines, whose places the copy noted.
bool MergeRun::recordLastKept(Candidate& candidate)
{
    InputRecord& record = m_report.inputs[candidate.index];
    const CopyState& state = m_copy;
    const std::uint64_t count =
        std::min<std::uint64_t>(state.keptLines, InputRecord::kContextLines);
    if (count == 0)
        return true;
    std::vector<KeptLine> kept;
    for (std::uint64_t i = state.keptLines - count; i < state.keptLines; ++i)
        kept.push_back(state.lastKept[i % state.lastKept.size()]);
    // One look from the first to the last, as far as the text a record keeps and its line end.
    const std::uint64_t end =
        std::min(candidate.file.size(), kept.back().start + NumberedLine::kMaxTextBytes + 2);
    std::size_t next = 0;
    NcLineReader reader(candidate.reader.dialect());
    const ReadResult read =
        scanLines(candidate.file, kept.front().start, end, reader, [&](ScannedLine& line) {
            if (line.start == kept[next].start)
                record.lastKept.push_back(numbered(kept[next++].number, line));
            return next < kept.size();
        });
    if (read != ReadResult::Read)
        return readFailed(candidate.index, candidate.file, read);
    return next == kept.size() || inputChanged(candidate.index);
}

// Calls onLine for every line of [begin, end) of the file until it returns false.
template <typename OnLine>
ReadResult MergeRun::scanLines(InputFile& file, std::uint64_t begin, std::uint64_t end,
                               NcLineReader& reader, OnLine onLine)
{
    LineAssembly assembly(&reader);
    ScannedLine line;
    line.start = begin;
    for (std::uint64_t offset = begin, look = kFirstLook; offset < end;
         look = std::min<std::uint64_t>(look * 2, m_blockSize)) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>({look, m_blockSize, end - offset}));
        if (const ReadResult read = readBlock(file, offset, length); read != ReadResult::Read)
            return read;
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
                return ReadResult::Read;
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
    return ReadResult::Read;
}

ReadResult MergeRun::readBlock(InputFile& file, std::uint64_t offset, std::size_t length)
{
    m_block = m_buffer.get();
    const std::int64_t read = file.readAt(offset, m_block, length);
    if (read < 0)
        return ReadResult::Failed;
    return static_cast<std::size_t>(read) == length ? ReadResult::Read : ReadResult::Short;
}

// A block to copy: digested on the writer's thread, where there is one, while this one copies
// it; both only read it, and it is not read over before that digest is done.
ReadResult MergeRun::readCopyBlock(InputFile& file, std::uint64_t offset, std::size_t length)
{
    waitForDigest();
    if (!m_writer || !m_writer->threaded())
        return readBlock(file, offset, length);
    m_block = m_buffer.get();
    const std::int64_t read = file.readAt(offset, m_block, length, false);
    if (read < 0)
        return ReadResult::Failed;
    auto taken = std::make_shared<std::atomic<bool>>(false);
    std::function<void()> digest = [&file, offset, block = m_block, read] {
        file.addToDigest(offset, block, static_cast<std::size_t>(read));
    };
    const std::uint64_t number = m_writer->post([taken, digest] {
        if (!taken->exchange(true))
            digest();
    });
    m_digestTask = DigestTask{number, std::move(taken), std::move(digest)};
    return static_cast<std::size_t>(read) == length ? ReadResult::Read : ReadResult::Short;
}

void MergeRun::waitForDigest()
{
    if (!m_digestTask)
        return;
    const DigestTask task = *std::exchange(m_digestTask, std::nullopt);
    if (task.taken->exchange(true))
        m_writer->waitFor(task.number);
    else
        task.digest();
}

// A file read whole is what its plan read, and still what was read: the second reading runs on
// a thread of its own where the output is written on one, and must pass before the output is
// committed.
bool MergeRun::provedUnchanged(Candidate& candidate, bool mayDefer)
{
    InputRecord& record = m_report.inputs[candidate.index];
    record.digest = candidate.file.digest();
    const MergeReport* plan = m_request.plan;
    if (plan && candidate.index < plan->inputs.size() &&
        plan->inputs[candidate.index].digest != record.digest) {
        record.outcome = Outcome::Changed;
        record.error = {FileError::Cause::ChangedSincePlan};
        return fail(Status::InputChanged, record.path, record.error);
    }
    if (!mayDefer || !m_writer || !m_writer->threaded())
        return candidate.file.unchanged(m_checkBuffer.get(), kCheckBlock) ||
               inputChanged(candidate.index);
    if (!m_checker)
        m_checker.emplace();
    if (m_deferredChecks.size() % kMaxWaitingChecks == kMaxWaitingChecks - 1)
        m_checker->finish(); // the checks given so far have run and closed their inputs
    DeferredCheck& check =
        m_deferredChecks.emplace_back(candidate.index, std::move(candidate.file));
    const std::size_t parts =
        check.file.readWhole()
            ? std::clamp<std::size_t>(check.file.size() / kCheckPart, 1, kMaxCheckParts)
            : 1;
    check.parts.resize(parts);
    check.partsLeft = parts;
    for (std::size_t part = 0; part < parts; ++part)
        m_checker->post([&check, part] { checkPart(check, part); });
    return true;
}

// Reads one part of an input again; the last part done says whether the input is unchanged and
// closes it. Parts begin at whole stripes of the digest, which joins them.
void MergeRun::checkPart(DeferredCheck& check, std::size_t part)
{
    const std::size_t parts = check.parts.size();
    const auto partStart = [&check, parts](std::size_t at) {
        const std::uint64_t start = check.file.size() / parts * at;
        return at == parts ? check.file.size() : start - start % ContentDigest::kStripe;
    };
    if (check.file.readWhole()) {
        const auto scratch = std::make_unique_for_overwrite<char[]>(kCheckBlock);
        const std::uint64_t start = partStart(part);
        check.parts[part] =
            check.file.digestOf(start, partStart(part + 1) - start, scratch.get(), kCheckBlock);
    }
    if (check.partsLeft.fetch_sub(1) != 1)
        return;
    std::optional<ContentDigest> secondReading = check.parts.front();
    for (std::size_t next = 1; next < parts && secondReading; ++next) {
        if (check.parts[next])
            secondReading->join(*check.parts[next]);
        else
            secondReading.reset();
    }
    check.unchanged = check.file.unchanged(secondReading);
    check.file = InputFile();
}

// After the checker's thread has finished: every input it checked was unchanged.
bool MergeRun::deferredChecksPassed()
{
    for (const DeferredCheck& check : m_deferredChecks)
        if (!check.unchanged)
            return inputChanged(check.index);
    return true;
}

bool MergeRun::inputChanged(std::size_t index)
{
    InputRecord& record = m_report.inputs[index];
    record.outcome = Outcome::Changed;
    record.error = {FileError::Cause::ChangedWhileRead};
    return fail(Status::InputChanged, record.path, record.error);
}

bool MergeRun::readFailed(std::size_t index, InputFile& file, ReadResult read)
{
    if (read == ReadResult::Short)
        return inputChanged(index);
    m_report.inputs[index].outcome = Outcome::Failed;
    m_report.inputs[index].error = file.error();
    return fail(Status::InputFailed, m_report.inputs[index].path, file.error());
}

bool MergeRun::fail(Status status, const std::string& path, FileError error)
{
    if (!m_failed) {
        m_failed = true;
        m_report.status = status;
        m_report.failure = {path, error};
    }
    return false;
}

bool MergeRun::reportProgress(std::uint64_t bytes)
{
    m_doneBytes += bytes;
    if (m_request.progress && !m_request.progress(m_doneBytes, m_totalBytes))
        return fail(Status::Cancelled, "", {FileError::Cause::Cancelled});
    return true;
}

} // namespace

int MergeReport::copiedFiles() const
{
    return static_cast<int>(std::count_if(inputs.begin(), inputs.end(), [](const InputRecord& in) {
        return in.outcome == Outcome::Copied;
    }));
}

std::vector<std::string> MergeReport::shortFiles() const
{
    std::vector<std::string> files;
    for (const InputRecord& input : inputs)
        if (input.outcome == Outcome::Short)
            files.push_back(input.path);
    return files;
}

std::vector<FileProblem> MergeReport::unreadableFiles() const
{
    std::vector<FileProblem> files;
    for (const InputRecord& input : inputs)
        if (input.outcome == Outcome::Unreadable || input.outcome == Outcome::NotRegularFile)
            files.push_back({input.path, input.error});
    return files;
}

MergeReport PlanNcMerge(const MergeRequest& request)
{
    return MergeRun(request, nullptr).run();
}

MergeReport MergeNcFiles(const MergeRequest& request, OutputSink& sink)
{
    return MergeRun(request, &sink).run();
}

MergeReport MergeNcFiles(const MergeRequest& request, const std::string& outputPath)
{
    MergeReport report;
    const std::filesystem::path target = pathFromUtf8(outputPath);
    const std::filesystem::path folder = target.parent_path();
    std::error_code ec;
    bool folderMade = false;
    if (!folder.empty() && !std::filesystem::exists(folder, ec)) {
        std::filesystem::create_directory(folder, ec);
        if (ec) {
            report.status = Status::OutputFolderFailed;
            report.failure = {utf8FromPath(folder), {FileError::Cause::System, ec}};
            return report;
        }
        folderMade = true;
    }
    {
        AtomicFileWriter output(target);
        if (!output.open()) {
            report.status = Status::OutputFailed;
            report.failure = {outputPath, output.error()};
        } else {
            report = MergeNcFiles(request, output);
            if (report.status == Status::OutputFailed)
                report.failure.path = outputPath;
        }
    }
    if (folderMade && report.status != Status::Written)
        std::filesystem::remove(folder, ec); // only while empty: nothing of ours is left in it
    return report;
}

MergeReport MergeNcFiles(const std::vector<std::string>& inputs, const std::string& outputPath,
                         int delUp, int delBtm, const MergeProgress& progress)
{
    return MergeNcFiles(
        MergeRequest{.inputs = inputs, .delUp = delUp, .delBtm = delBtm, .progress = progress},
        outputPath);
}
