// A job's order by tool planned from its programs' lines as they pass: segments, never lines.

#include "OrderPlanner.h"

#include "ToolSchedule.h"
#include "core/nc/LineStage.h"

#include <algorithm>

void OrderPlanner::beginProgram(std::size_t input, const WorkOffset& cell)
{
    m_inputs.push_back(input);
    m_cells.push_back(cell);
    m_splits.emplace_back();
    if (!m_refusal)
        m_splitter.emplace(m_splits.size() - 1, m_splits.back());
}

bool OrderPlanner::line(std::string_view text, std::int64_t number)
{
    if (!m_splitter)
        return false;
    if (std::optional<Refusal> refused = m_splitter->read(text, number)) {
        refuse(refused->reason, std::move(refused->line));
        return false;
    }
    return true;
}

void OrderPlanner::refuse(JobOrder::Given why, std::optional<NotedLine> line)
{
    if (!m_refusal)
        m_refusal.emplace(m_inputs.back(), Refusal{why, std::move(line)});
    m_splitter.reset();
}

void OrderPlanner::endProgram(bool last)
{
    if (!m_splitter)
        return;
    std::optional<Refusal> refused = m_splitter->finish(last);
    if (refused)
        refuse(refused->reason, std::move(refused->line));
    m_splitter.reset();
}

void OrderPlanner::keepGiven(std::size_t input, Refusal refusal)
{
    m_record.given = refusal.reason;
    m_record.input = input;
    if (refusal.line) {
        m_record.line = refusal.line->number;
        m_record.text = std::move(refusal.line->text);
    }
}

// Whether one program relies on the control's own state of a group that another program sets:
// run after the other's segment, it would inherit that program's state.
bool OrderPlanner::refusedAcrossPrograms()
{
    const bool units = std::any_of(m_splits.begin(), m_splits.end(),
                                   [](const SplitProgram& split) { return split.choosesUnits; });
    const bool returnPlane =
        std::any_of(m_splits.begin(), m_splits.end(),
                    [](const SplitProgram& split) { return split.choosesReturnPlane; });
    for (std::size_t p = 0; p < m_splits.size(); ++p) {
        if (units && m_splits[p].movesInControlUnits) {
            keepGiven(m_inputs[p],
                      Refusal{JobOrder::Given::UnitsUnknown, m_splits[p].movesInControlUnits});
            return true;
        }
        if (returnPlane && m_splits[p].cycleAtControlReturnPlane) {
            keepGiven(m_inputs[p], Refusal{JobOrder::Given::ReturnPlaneUnknown,
                                           m_splits[p].cycleAtControlReturnPlane});
            return true;
        }
    }
    return false;
}

void OrderPlanner::plan(const std::vector<std::string>& retract,
                        const std::vector<std::string>& before,
                        const std::vector<std::string>& after)
{
    if (const std::optional<std::size_t> unsafe = unsafeRetractLine(retract)) {
        m_record.given = JobOrder::Given::UnsafeRetract;
        m_record.text =
            *unsafe < retract.size() ? retract[*unsafe].substr(0, kMaxNotedTextBytes) : "";
        return;
    }
    if (m_refusal) {
        keepGiven(m_refusal->first, std::move(m_refusal->second));
        return;
    }
    if (refusedAcrossPrograms())
        return;
    for (const SplitProgram& split : m_splits) {
        m_record.toolChangesBefore += split.toolChanges;
        m_groups.spindleMode = m_groups.spindleMode || split.choosesSpindleMode;
        m_groups.cuttingMode = m_groups.cuttingMode || split.choosesCuttingMode;
    }
    for (const std::string& line : before)
        written(OrderStep::Kind::Around, line);
    if (!m_splits.empty())
        lines(0, 0, m_splits[0].segments.front().change);
    const Segment* previous = nullptr;
    std::optional<std::int64_t> tool;
    for (const Segment* segment : scheduleSegments(m_cells, m_splits, m_record.toolChangesLeast)) {
        const bool follows = previous ? previous->program == segment->program &&
                                            previous->number + 1 == segment->number
                                      : segment->program == 0 && segment->number == 0;
        if (!follows)
            ++m_record.restarts;
        const std::size_t first = m_steps.size();
        planSegment(*segment, !follows, retract, tool);
        noteSegment(*segment, !follows, first);
        previous = segment;
    }
    if (!m_splits.empty())
        lines(m_splits.size() - 1, m_splits.back().end, m_splits.back().lines);
    for (const std::string& line : after)
        written(OrderStep::Kind::Around, line);
}

// A segment's steps: its restart block where it does not follow its own program's previous
// one, its lines, its tool change named or without the tool already in the spindle.
void OrderPlanner::planSegment(const Segment& segment, bool restart,
                               const std::vector<std::string>& retract,
                               std::optional<std::int64_t>& tool)
{
    const std::size_t program = segment.program;
    if (restart)
        for (std::string& line : restartHead(segment.before, m_cells[program], retract, m_groups))
            written(OrderStep::Kind::Written, std::move(line));
    lines(program, segment.begin, segment.change);
    const std::string_view change = segment.changeText;
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    const NcLineFacts facts = reader.read(change);
    if (!restart || tool != segment.tool) {
        // A change that runs the tool called earlier in its own program names it here.
        if (restart && isoToolWords(change, facts.words).runs != segment.tool)
            written(OrderStep::Kind::Written, "T" + std::to_string(segment.tool));
        lines(program, segment.change, segment.change + 1);
    } else {
        m_steps.push_back({OrderStep::Kind::ToolChange, program, segment.change, segment.change + 1,
                           withoutToolWords(change, facts)});
    }
    tool = segment.toolAfter;
    if (restart)
        for (std::string& line : restartTail(segment))
            written(OrderStep::Kind::Written, std::move(line));
    lines(program, segment.change + 1, segment.end);
}

// Notes a segment in the record's runs, with its restart block and its tool change line where
// it stands in it: the steps from first on are its own.
void OrderPlanner::noteSegment(const Segment& segment, bool restarted, std::size_t first)
{
    std::vector<ToolRun>& runs = m_record.runs;
    if (runs.empty() || runs.back().tool != segment.tool)
        runs.push_back({segment.tool, {}});
    OrderSegment& noted = runs.back().segments.emplace_back(OrderSegment{
        m_inputs[segment.program], m_cells[segment.program], segment.changeNumber, restarted});
    constexpr std::size_t kMaxRestartLines = 64;
    for (std::size_t s = first; restarted && s < m_steps.size(); ++s) {
        const OrderStep& step = m_steps[s];
        const bool change = step.kind == OrderStep::Kind::Lines && step.from <= segment.change &&
                            segment.change < step.to;
        const bool without = step.kind == OrderStep::Kind::ToolChange && !step.text.empty();
        const std::string_view text = change ? segment.changeText : step.text;
        if ((step.kind == OrderStep::Kind::Written || change || without) &&
            noted.restart.size() < kMaxRestartLines)
            noted.restart.emplace_back(text.substr(0, kMaxNotedTextBytes));
    }
}

void OrderPlanner::written(OrderStep::Kind kind, std::string text)
{
    m_steps.push_back({.kind = kind, .text = std::move(text)});
}

// Lines of a program copied; they run on the step before where it ends at their first.
void OrderPlanner::lines(std::size_t program, std::size_t from, std::size_t to)
{
    if (from >= to)
        return;
    if (!m_steps.empty() && m_steps.back().kind == OrderStep::Kind::Lines &&
        m_steps.back().program == program && m_steps.back().to == from) {
        m_steps.back().to = to;
        return;
    }
    m_steps.push_back({OrderStep::Kind::Lines, program, from, to, {}});
}
