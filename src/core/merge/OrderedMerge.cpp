// A merge ordered by tool in two readings: the plan from the first, the writing from the second.

#include "OrderedMerge.h"

#include "BlockWriter.h"
#include "MergeRun.h"

#include <algorithm>
#include <optional>

namespace {

using Status = MergeReport::Status;

} // namespace

OrderedMerge::OrderedMerge(const MergeRequest& request, OutputSink* sink)
    : m_request(request), m_sink(sink), m_total(MergeRun::inputBytes(request))
{}

MergeReport OrderedMerge::run()
{
    MergeRequest first = m_request;
    first.approve = {};
    first.progress = progress(false);
    OrderPlanning planning(m_request);
    m_report = MergeRun(first, nullptr, &planning).run();
    if (m_report.status != Status::Planned)
        return m_report;
    // Committing would replace the output, which may be one of the inputs, with nothing.
    if (m_sink && m_report.copiedFiles() == 0) {
        m_report.status = Status::NothingCopied;
        return m_report;
    }
    m_report.order = planning.plan(m_report);
    if (m_report.order->given != JobOrder::Given::No)
        return m_sink ? keepGivenOrder(m_report) : m_report;
    // A plan is ordered too: the preview shows the order and what its proof found.
    writeOrdered(planning);
    return m_report;
}

// The merge in the given order, read again as any merge, its plan the first reading.
MergeReport OrderedMerge::keepGivenOrder(const MergeReport& planned)
{
    MergeRequest given = m_request;
    given.orderByTool = false;
    given.plan = &planned;
    given.progress = progress(true);
    given.approve = [&](const MergeReport& report) {
        if (!m_request.approve)
            return true;
        MergeReport withOrder = report;
        withOrder.order = planned.order;
        return m_request.approve(withOrder);
    };
    MergeReport written = MergeRun(given, m_sink).run();
    written.order = planned.order;
    return written;
}

void OrderedMerge::writeOrdered(const OrderPlanning& planning)
{
    if (!openAgain(planning))
        return;
    const OrderPlanner& planner = planning.planner();
    std::optional<BlockWriter> writer;
    if (m_sink)
        writer.emplace(*m_sink, std::max(m_request.blockSize, MergeRun::kMinOutputBlock),
                       m_total >= MergeRun::kThreadedBytes);
    std::vector<ProgramAt> programs;
    for (std::size_t p = 0; p < planner.programs(); ++p)
        programs.push_back({planner.input(p), planner.cell(p)});
    OrderProof proof(std::move(programs), m_request.retract, *m_report.order);
    OrderedJobWriter job(planner, *this, proof, [&](const OrderedLine& line) {
        // Copied as it stands: addLine reads past the end of a line, and these are anywhere.
        if (writer) {
            writer->add(line.text);
            writer->add("\r\n");
        }
    });
    const bool written = job.write() && provedSame(planning);
    if (writer)
        writer->finish();
    // Closed before the output replaces its file, which may be one of them: Windows does not
    // replace a file open.
    m_replays.clear();
    if (written)
        commit();
}

// Opens every planned input again, each as the first reading found it.
bool OrderedMerge::openAgain(const OrderPlanning& planning)
{
    // A line the first reading held fits: it was at most a block long.
    m_buffer.resize(std::max(m_request.blockSize, MergeRun::kMinOutputBlock));
    for (std::size_t p = 0; p < planning.planner().programs(); ++p) {
        const PlannedInput& planned = planning.planned(p);
        const InputRecord& record = m_report.inputs[planned.input];
        ProgramReplay& replay = m_replays.emplace_back(m_request, planned);
        if (replay.open(record.path, record.stamp))
            continue;
        if (replay.error().cause == FileError::Cause::ChangedWhileRead)
            return inputChanged(planned.input, replay.error());
        return failed(planned.input, replay.error());
    }
    return true;
}

// Whether every input gave, to its last line, the lines its first reading planned.
bool OrderedMerge::provedSame(const OrderPlanning& planning)
{
    for (std::size_t p = 0; p < m_replays.size(); ++p)
        if (!m_replays[p].sameAsPlanned(planning.planner().lines(p), m_buffer))
            return inputChanged(planning.planned(p).input, {FileError::Cause::ChangedWhileRead});
    return true;
}

void OrderedMerge::commit()
{
    if (m_sink && m_request.approve && !m_request.approve(m_report)) {
        fail(Status::NotApproved, "");
        return;
    }
    if (m_sink && !m_sink->commit()) {
        fail(Status::OutputFailed, "", m_sink->error());
        return;
    }
    m_report.status = m_sink ? Status::Written : Status::Planned;
}

bool OrderedMerge::take(std::size_t program, std::size_t to, const OnLine& onLine)
{
    if (m_failed)
        return false;
    std::uint64_t done = 0;
    const BlockReader::Result read = m_replays[program].take(to, m_buffer, onLine, done);
    const std::size_t input = m_replays[program].input();
    if (read == BlockReader::Result::Short)
        return inputChanged(input, {FileError::Cause::ChangedWhileRead});
    if (read == BlockReader::Result::Failed)
        return failed(input, m_replays[program].error());
    m_secondDone += done;
    if (m_request.progress && !m_request.progress(m_total + m_secondDone, 2 * m_total))
        return fail(Status::Cancelled, "", {FileError::Cause::Cancelled});
    return true;
}

bool OrderedMerge::inputChanged(std::size_t input, FileError error)
{
    InputRecord& record = m_report.inputs[input];
    record.outcome = InputRecord::Outcome::Changed;
    record.error = error;
    return fail(Status::InputChanged, record.path, error);
}

bool OrderedMerge::failed(std::size_t input, FileError error)
{
    InputRecord& record = m_report.inputs[input];
    record.outcome = InputRecord::Outcome::Failed;
    record.error = error;
    return fail(Status::InputFailed, record.path, error);
}

bool OrderedMerge::fail(Status status, const std::string& path, FileError error)
{
    if (!m_failed) {
        m_failed = true;
        m_report.status = status;
        m_report.failure = {path, error};
    }
    return false;
}

MergeProgress OrderedMerge::progress(bool second)
{
    if (!m_request.progress)
        return {};
    return [this, second](std::uint64_t done, std::uint64_t) {
        return m_request.progress(second ? m_total + done : done, 2 * m_total);
    };
}
