// One merge or plan, input by input, through the stages of the pipeline.

#include "MergeRun.h"

#include "InputStages.h"
#include "LineCopy.h"
#include "OutputSink.h"
#include "core/os/Utf8Path.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::string_view kPercentLine = "%\r\n";

// Of a small merge, the output is written in blocks of at most this much.
constexpr std::size_t kSmallOutputBlock = std::size_t(256) << 10;

using Outcome = InputRecord::Outcome;
using Status = MergeReport::Status;

} // namespace

MergeRun::MergeRun(const MergeRequest& request, OutputSink* sink, OrderPlanning* planning)
    : m_request(request), m_sink(sink), m_planning(planning), m_reader(request.blockSize),
      m_cut(m_reader, request.delUp, request.delBtm)
{
    m_report.inputs.resize(request.inputs.size());
    for (std::size_t i = 0; i < request.inputs.size(); ++i)
        m_report.inputs[i].path = request.inputs[i];
    m_totalBytes = inputBytes(request);
}

std::uint64_t MergeRun::inputBytes(const MergeRequest& request)
{
    std::uint64_t bytes = 0;
    for (const std::string& input : request.inputs) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(pathFromUtf8(input), ec);
        bytes += ec ? 0 : size;
    }
    return bytes;
}

MergeReport MergeRun::run()
{
    if (!countsValid())
        return m_report;
    startOutput();
    std::optional<Candidate> current = findEligible(0, true);
    // A Heidenhain program never has "%" lines.
    const bool percentLines = current && m_request.percentLines &&
                              current->reader.dialect() != NcLineReader::Dialect::Heidenhain;
    if (percentLines && !current->head.startsWithPercent) {
        write(kPercentLine);
        m_report.percentAddedAtStart = true;
    }
    const InputRecord* last = copyAll(std::move(current));
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
    finishOutput();
    return m_report;
}

bool MergeRun::countsValid()
{
    const std::pair<const char*, int> counts[] = {{"DEL_UP", m_request.delUp},
                                                  {"DEL_BTM", m_request.delBtm}};
    for (const auto& [name, value] : counts)
        if (value < 0)
            return fail(Status::BadTrimCount, name);
    return true;
}

void MergeRun::startOutput()
{
    const std::size_t blockSize = m_reader.blockSize();
    if (m_sink) {
        const bool threaded = m_totalBytes >= kThreadedBytes;
        // A small merge writes smaller blocks: every page of a block touched costs a fault.
        const std::size_t outputBlock =
            threaded ? blockSize : std::min(blockSize, kSmallOutputBlock);
        m_writer.emplace(*m_sink, std::max(outputBlock, kMinOutputBlock), threaded);
    }
}

// Copies the eligible inputs from current on; the record of the last one copied.
const InputRecord* MergeRun::copyAll(std::optional<Candidate> current)
{
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
    return last;
}

// Has the record approved, waits for the last proofs and commits the output.
void MergeRun::finishOutput()
{
    if (m_sink && m_request.approve && !m_request.approve(m_report)) {
        fail(Status::NotApproved, "");
        return;
    }
    const std::optional<std::size_t> changed = m_proof.finish();
    if (m_writer)
        m_writer->finish();
    if (changed) {
        inputChanged(*changed);
        return;
    }
    if (m_sink && !m_sink->commit()) {
        fail(Status::OutputFailed, "", m_sink->error());
        return;
    }
    m_report.status = m_sink ? Status::Written : Status::Planned;
}

// Opens and looks at the heads of the inputs from index from on, recording the ones left out,
// until one is long enough to be copied.
std::optional<MergeRun::Candidate> MergeRun::findEligible(std::size_t from, bool first)
{
    for (std::size_t index = from; index < m_request.inputs.size() && !m_failed; ++index) {
        Candidate candidate{.index = index,
                            .recorder = InputRecorder(m_report.inputs[index], m_request.noteKept)};
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
    const InputFile::OpenResult result = file.open(record.path, m_request.readInputsTwice);
    record.stamp = file.stamp();
    record.proof = file.proof();
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
    return openedAsPlanned(index, result) && result == InputFile::OpenResult::Opened;
}

// Whether an input opened as its plan found it: opened or not, and with the same stamp.
bool MergeRun::openedAsPlanned(std::size_t index, InputFile::OpenResult result)
{
    const MergeReport* plan = m_request.plan;
    if (!plan || index >= plan->inputs.size())
        return true;
    InputRecord& record = m_report.inputs[index];
    const InputRecord& planned = plan->inputs[index];
    const bool wasOpened = planned.outcome == Outcome::Copied || planned.outcome == Outcome::Short;
    const bool isOpened = result == InputFile::OpenResult::Opened;
    if (wasOpened == isOpened && (!isOpened || planned.stamp == record.stamp))
        return true;
    record.outcome = Outcome::Changed;
    record.error = {FileError::Cause::ChangedSincePlan};
    return fail(Status::InputChanged, record.path, record.error);
}

// A short input is recorded and closed.
bool MergeRun::scanHead(Candidate& candidate, bool cutTop)
{
    InputRecord& record = m_report.inputs[candidate.index];
    const BlockReader::Result read = m_cut.scanHead(candidate.file, candidate.reader,
                                                    candidate.recorder, cutTop, candidate.head);
    if (read != BlockReader::Result::Read)
        return readFailed(candidate.index, candidate.file, read);
    if (candidate.head.eligible)
        return true;
    if (!provedUnchanged(candidate))
        return false;
    record.dialect = candidate.reader.dialect();
    record.outcome = Outcome::Short;
    record.contentLines = candidate.head.contentLines;
    record.lines = candidate.head.lines;
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
    const std::uint64_t begin = cutTop ? candidate.head.topEnd : 0;
    std::uint64_t end = file.size();
    if (cutBottom) {
        const BlockReader::Result read = m_cut.findBottomStart(file, candidate.head.topEnd, end);
        if (read != BlockReader::Result::Read)
            return readFailed(candidate.index, file, read);
    }
    std::int64_t lineNumber = cutTop ? record.cutTopLines : 0;
    record.contentLines = cutTop ? candidate.head.topContentLines : 0;
    const KeptRegion region{begin, end, lineNumber};
    {
        LineStage* const planned =
            m_planning ? m_planning->begin(candidate.index, candidate.reader.dialect()) : nullptr;
        InputStages stages(m_request, candidate.index, record, candidate.reader, planned);
        LineCopy lines(m_writer ? &*m_writer : nullptr, candidate.reader, candidate.recorder,
                       stages, m_request.noteKept, lineNumber);
        if (!copyRegion(candidate, lines, begin, end))
            return false;
        lineNumber = lines.lineNumber();
    }
    if (m_planning)
        m_planning->end(region, !cutBottom);
    candidate.reader.keepWords(false);
    candidate.reader.keepAxisWords(false);
    if (cutBottom && !recordBottomCut(candidate, end, lineNumber))
        return false;
    record.lines = lineNumber;
    record.dialect = candidate.reader.dialect();
    if (!recordLastKept(candidate) || !provedUnchanged(candidate, true))
        return false;
    return reportProgress(file.size() - (end - begin));
}

bool MergeRun::copyRegion(Candidate& candidate, LineCopy& lines, std::uint64_t begin,
                          std::uint64_t end)
{
    BlockWriter* const writer = m_writer ? &*m_writer : nullptr;
    for (std::uint64_t offset = begin; offset < end;) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(m_reader.blockSize(), end - offset));
        const BlockReader::Result read =
            m_reader.readToCopy(candidate.file, offset, length, writer);
        if (read != BlockReader::Result::Read) {
            m_reader.waitForDigest();
            return readFailed(candidate.index, candidate.file, read);
        }
        const std::size_t copied =
            lines.copyBlock({m_reader.block(), length}, offset, offset + length == end);
        offset += copied;
        if (!reportProgress(copied)) {
            m_reader.waitForDigest();
            return false;
        }
    }
    m_reader.waitForDigest();
    lines.finish();
    return true;
}

bool MergeRun::recordBottomCut(Candidate& candidate, std::uint64_t start, std::int64_t& lineNumber)
{
    InputRecord& record = m_report.inputs[candidate.index];
    const BlockReader::Result read = m_reader.scanLines(
        candidate.file, start, candidate.file.size(), candidate.reader, [&](ScannedLine& line) {
            record.contentLines += line.blank ? 0 : 1;
            candidate.recorder.noteControlByte(line.start, ++lineNumber, line.facts);
            candidate.recorder.cutAtBottom(numbered(lineNumber, line));
            return true;
        });
    return read == BlockReader::Result::Read || readFailed(candidate.index, candidate.file, read);
}

bool MergeRun::recordLastKept(Candidate& candidate)
{
    bool found = false;
    const BlockReader::Result read = candidate.recorder.readLastKept(
        m_reader, candidate.file, candidate.reader.dialect(), found);
    if (read != BlockReader::Result::Read)
        return readFailed(candidate.index, candidate.file, read);
    return found || inputChanged(candidate.index);
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
    const bool deferred = mayDefer && m_writer && m_writer->threaded();
    return m_proof.prove(candidate.index, candidate.file, deferred) ||
           inputChanged(candidate.index);
}

bool MergeRun::inputChanged(std::size_t index)
{
    InputRecord& record = m_report.inputs[index];
    record.outcome = Outcome::Changed;
    record.error = {FileError::Cause::ChangedWhileRead};
    return fail(Status::InputChanged, record.path, record.error);
}

bool MergeRun::readFailed(std::size_t index, InputFile& file, BlockReader::Result read)
{
    if (read == BlockReader::Result::Short)
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
