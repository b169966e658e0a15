// A job run tool by tool: programs split at their tool changes, scheduled, restarted.

#include "ToolOrder.h"

#include "core/nc/LineStage.h"

#include <algorithm>
#include <map>
#include <span>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A part of a program between two of its tool changes.
struct Segment
{
    std::size_t program = 0;
    std::size_t number = 0; // in its program, from 0
    std::size_t begin = 0;  // lines of the program
    std::size_t change = 0; // its tool change line
    std::size_t end = 0;
    std::int64_t tool = 0;
    std::int64_t toolAfter = 0; // in the spindle at its end
    ModalState before;          // the program's state before its first line
    // And where its tool first moves: spindle and coolant as they run there.
    ModalState atFirstMove;
    // Just before its first cut: the length offset and where the cut starts.
    ModalState atFirstCut;
    bool moves = false;
    bool cuts = false;
    bool ownLengthOffset = false; // G43 / G44 between its tool change and its first cut
    std::optional<int> motion;    // after its tool change line
    bool reliesOnMotion = false;
    bool reliesOnFeed = false;
};

// A program split at its tool changes: lines before its first one (the header of the first
// program, else part of its first segment), its segments, and where its program end starts.
struct SplitProgram
{
    std::vector<Segment> segments;
    std::size_t end = 0; // of the job's last program: from its program end on
    std::int64_t toolChanges = 0;
    // Of groups whose power-on state differs between controls: a line relying on it.
    std::optional<std::size_t> movesInControlUnits;
    std::optional<std::size_t> cycleAtControlReturnPlane;
    bool choosesUnits = false;
    bool choosesReturnPlane = false;
    bool choosesSpindleMode = false;
    bool choosesCuttingMode = false;
};

struct Refusal
{
    JobOrder::Given reason = JobOrder::Given::No;
    std::size_t line = 0;
};

bool positionKnown(const ToolPosition& position)
{
    return position.x && position.y && position.z;
}

// Splits one program at its tool changes, line by line, and refuses it where a restart could
// not run a segment of it as the program does.
class ProgramSplitter
{
public:
    ProgramSplitter(std::size_t index, bool last, SplitProgram& split)
        : m_index(index), m_last(last), m_split(split)
    {
        m_reader.keepWords(true);
        m_reader.keepAxisWords(true);
    }

    std::optional<Refusal> read(std::size_t i, std::string_view line);
    // After the last of count lines.
    std::optional<Refusal> finish(std::size_t count);

private:
    static constexpr std::size_t kNone = std::size_t(-1);

    std::optional<Refusal> refused(std::size_t i, const NcLineFacts& facts,
                                   const ModalLine& read) const;
    void toolChange(std::size_t i, const ModalLine& read, const std::optional<ModalState>& before);
    std::optional<Refusal> inSegment(std::size_t i, const ModalLine& read,
                                     const std::optional<ModalState>& before);
    void joinSegmentsWithoutMoves();

    const std::size_t m_index;
    const bool m_last;
    SplitProgram& m_split;
    NcLineReader m_reader{NcLineReader::Dialect::Iso};
    ModalTracker m_tracker;
    bool m_motionSet = false;         // G00 to G03 seen since the segment began
    bool m_feedSet = false;           // F seen since the segment began
    bool m_moved = false;             // since the segment began
    std::size_t m_programEnd = kNone; // the first after the last tool change
};

std::optional<Refusal> ProgramSplitter::read(std::size_t i, std::string_view line)
{
    const NcLineFacts facts = m_reader.read(line);
    // Kept only where a segment may start, or where its tool cuts first: a copy costs.
    const bool firstCut = !m_split.segments.empty() && !m_split.segments.back().cuts;
    std::optional<ModalState> before;
    if (facts.has(NcLineFacts::ToolChange) || (firstCut && facts.has(NcLineFacts::AxisMove)))
        before = m_tracker.state();
    const ModalLine read = m_tracker.read(line, facts);
    const ModalState& state = m_tracker.state();
    if (std::optional<Refusal> refusal = refused(i, facts, read))
        return refusal;
    m_split.choosesUnits = m_split.choosesUnits || state.units;
    m_split.choosesReturnPlane = m_split.choosesReturnPlane || state.returnPlane;
    m_split.choosesSpindleMode = m_split.choosesSpindleMode || state.spindleMode;
    m_split.choosesCuttingMode = m_split.choosesCuttingMode || state.cuttingMode;
    if (read.toolChange) {
        ++m_split.toolChanges;
        if (!read.changedTo)
            return Refusal{JobOrder::Given::ToolUnknown, i};
        toolChange(i, read, before);
        return std::nullopt;
    }
    if (std::optional<Refusal> refusal = inSegment(i, read, before))
        return refusal;
    // A cycle leaves the motion mode as it was, for the moves after G80.
    m_motionSet = m_motionSet || read.setsMotion;
    m_feedSet = m_feedSet || read.setsFeed;
    if (facts.has(NcLineFacts::ProgramEnd) && m_programEnd == kNone)
        m_programEnd = i;
    return std::nullopt;
}

// What no restart can restate: a call, an offset shift, a computed value, a transformation.
std::optional<Refusal> ProgramSplitter::refused(std::size_t i, const NcLineFacts& facts,
                                                const ModalLine& read) const
{
    if (facts.has(NcLineFacts::Call) || facts.has(NcLineFacts::Return))
        return Refusal{JobOrder::Given::Call, i};
    if (facts.has(NcLineFacts::OffsetShift))
        return Refusal{JobOrder::Given::OffsetShift, i};
    if (read.computed)
        return Refusal{JobOrder::Given::Computed, i};
    if (read.unrestatable)
        return Refusal{JobOrder::Given::Unrestatable, i};
    return std::nullopt;
}

void ProgramSplitter::toolChange(std::size_t i, const ModalLine& read,
                                 const std::optional<ModalState>& before)
{
    const ModalState& state = m_tracker.state();
    if (!m_split.segments.empty())
        m_split.segments.back().end = i;
    // The first program's header stands apart; the lines before any other program's first
    // tool change go with its first segment.
    const bool withHeader = m_split.segments.empty() && m_index != 0;
    m_split.segments.push_back(
        Segment{.program = m_index,
                .number = m_split.segments.size(),
                .begin = withHeader ? 0 : i,
                .change = i,
                .tool = *read.changedTo,
                .toolAfter = *read.changedTo,
                .before = withHeader ? ModalState{} : before.value_or(ModalState{}),
                .atFirstMove = state,
                .atFirstCut = state,
                .ownLengthOffset = read.setsLengthOffset,
                .motion = state.motion});
    // A header that goes with the segment runs before it: what it sets, the segment has.
    m_motionSet = (withHeader && m_motionSet) || read.setsMotion;
    m_feedSet = (withHeader && m_feedSet) || read.setsFeed;
    m_moved = false;
    m_programEnd = kNone;
}

// A line other than a tool change: what the segment it stands in relies on and does.
std::optional<Refusal> ProgramSplitter::inSegment(std::size_t i, const ModalLine& read,
                                                  const std::optional<ModalState>& before)
{
    const ModalState& state = m_tracker.state();
    if (read.move && m_split.segments.empty())
        return Refusal{JobOrder::Given::MoveBeforeToolChange, i};
    if (read.move && state.distance == 91)
        return Refusal{JobOrder::Given::Incremental, i};
    if (read.move && !state.units && !m_split.movesInControlUnits)
        m_split.movesInControlUnits = i;
    if (read.move && state.cycle && *state.cycle != 80 && !state.returnPlane &&
        !m_split.cycleAtControlReturnPlane)
        m_split.cycleAtControlReturnPlane = i;
    if (m_split.segments.empty())
        return std::nullopt;
    Segment& segment = m_split.segments.back();
    if (!m_moved) // up to its first move, or its end where it has none
        segment.atFirstMove = state;
    m_moved = m_moved || read.move;
    segment.moves = m_moved;
    if (read.move && read.reliesOnMotion && !m_motionSet)
        segment.reliesOnMotion = true;
    if (read.feeds && !read.setsFeed && !m_feedSet)
        segment.reliesOnFeed = true;
    // Z moved under the tool before's offset, or none the program chose: a restart cannot give
    // it that offset back.
    if (read.move && read.axisZ && !segment.ownLengthOffset && !ownLengthOffset(state) &&
        state.lengthCode != 49)
        return Refusal{JobOrder::Given::LengthOffsetUnknown, i};
    if (!segment.cuts && read.feeds) {
        segment.cuts = true;
        segment.atFirstCut = before.value_or(state);
    } else if (!segment.cuts) {
        segment.ownLengthOffset = segment.ownLengthOffset || read.setsLengthOffset;
    }
    return std::nullopt;
}

std::optional<Refusal> ProgramSplitter::finish(std::size_t count)
{
    if (m_split.segments.empty())
        return Refusal{JobOrder::Given::NoToolChange, count}; // the whole program
    for (Segment& segment : m_split.segments) {
        if (!segment.cuts)
            segment.atFirstCut = segment.atFirstMove;
        // A restart moves to where the tool cuts first when it must apply the length offset.
        if (segment.cuts && !segment.ownLengthOffset && ownLengthOffset(segment.atFirstCut) &&
            !positionKnown(segment.atFirstCut.position))
            return Refusal{JobOrder::Given::PositionUnknown, segment.change};
    }
    m_split.end = m_last && m_programEnd != kNone ? m_programEnd : count;
    m_split.segments.back().end = m_split.end;
    joinSegmentsWithoutMoves();
    return std::nullopt;
}

// A tool change with no move after it (T0 M06 putting the tool away) runs on with the segment
// before: a run of its own would restart around nothing.
void ProgramSplitter::joinSegmentsWithoutMoves()
{
    std::vector<Segment>& segments = m_split.segments;
    for (std::size_t s = 1; s < segments.size();) {
        if (segments[s].moves) {
            ++s;
            continue;
        }
        segments[s - 1].end = segments[s].end;
        segments[s - 1].toolAfter = segments[s].toolAfter;
        segments.erase(segments.begin() + std::ptrdiff_t(s));
    }
    for (std::size_t s = 0; s < segments.size(); ++s)
        segments[s].number = s;
}

std::optional<Refusal> split(const OrderProgram& program, std::size_t index, bool last,
                             SplitProgram& split)
{
    ProgramSplitter splitter(index, last, split);
    for (std::size_t i = 0; i < program.lines.size(); ++i)
        if (std::optional<Refusal> refused = splitter.read(i, program.lines[i]))
            return refused;
    return splitter.finish(program.lines.size());
}

// Whether one program relies on the control's own state of a group that another program sets:
// run after the other's segment, it would inherit that program's state. With the program.
std::optional<std::pair<std::size_t, Refusal>>
inheritsAcrossPrograms(const std::vector<SplitProgram>& splits)
{
    const bool units = std::any_of(splits.begin(), splits.end(),
                                   [](const SplitProgram& split) { return split.choosesUnits; });
    const bool returnPlane =
        std::any_of(splits.begin(), splits.end(),
                    [](const SplitProgram& split) { return split.choosesReturnPlane; });
    for (std::size_t p = 0; p < splits.size(); ++p) {
        if (units && splits[p].movesInControlUnits)
            return std::pair(
                p, Refusal{JobOrder::Given::UnitsUnknown, *splits[p].movesInControlUnits});
        if (returnPlane && splits[p].cycleAtControlReturnPlane)
            return std::pair(p, Refusal{JobOrder::Given::ReturnPlaneUnknown,
                                        *splits[p].cycleAtControlReturnPlane});
    }
    return std::nullopt;
}

// The tools of a chain of segments, a run of one tool counted once.
std::vector<std::int64_t> toolRuns(const std::vector<const Segment*>& chain)
{
    std::vector<std::int64_t> tools;
    for (const Segment* segment : chain)
        if (tools.empty() || tools.back() != segment->tool)
            tools.push_back(segment->tool);
    return tools;
}

// How far each distinct tool sequence has come, and the moves from there.
class SequenceSearch
{
public:
    explicit SequenceSearch(std::vector<std::vector<std::int64_t>> distinct)
        : m_distinct(std::move(distinct))
    {}

    const std::vector<std::vector<std::int64_t>>& distinct() const { return m_distinct; }
    // The tools the sequences run next, in the order of the sequences.
    std::vector<std::int64_t> nextTools(const std::vector<std::size_t>& at) const
    {
        std::vector<std::int64_t> tools;
        for (std::size_t c = 0; c < m_distinct.size(); ++c)
            if (at[c] < m_distinct[c].size() &&
                std::find(tools.begin(), tools.end(), m_distinct[c][at[c]]) == tools.end())
                tools.push_back(m_distinct[c][at[c]]);
        return tools;
    }
    std::vector<std::size_t> advance(std::vector<std::size_t> at, std::int64_t tool) const
    {
        for (std::size_t c = 0; c < m_distinct.size(); ++c)
            if (at[c] < m_distinct[c].size() && m_distinct[c][at[c]] == tool)
                ++at[c];
        return at;
    }
    // Each state as one mixed-radix number.
    std::uint64_t encode(const std::vector<std::size_t>& at) const
    {
        std::uint64_t key = 0;
        for (std::size_t c = 0; c < m_distinct.size(); ++c)
            key = key * (m_distinct[c].size() + 1) + at[c];
        return key;
    }

    std::vector<std::int64_t> fewestChanges() const;
    std::vector<std::int64_t>
    mostWaiting(const std::vector<std::vector<std::int64_t>>& chains) const;

private:
    std::vector<std::vector<std::int64_t>> m_distinct;
};

// A breadth-first search over the states.
std::vector<std::int64_t> SequenceSearch::fewestChanges() const
{
    // parent state and the tool that led here, by state
    std::map<std::uint64_t, std::pair<std::uint64_t, std::int64_t>> reached;
    std::deque<std::vector<std::size_t>> queue{std::vector<std::size_t>(m_distinct.size(), 0)};
    const std::uint64_t start = encode(queue.front());
    reached[start] = {start, 0};
    std::vector<std::size_t> done(m_distinct.size());
    for (std::size_t c = 0; c < m_distinct.size(); ++c)
        done[c] = m_distinct[c].size();
    const std::uint64_t goal = encode(done);
    while (!queue.empty() && !reached.count(goal)) {
        const std::vector<std::size_t> at = std::move(queue.front());
        queue.pop_front();
        const std::uint64_t key = encode(at);
        for (const std::int64_t tool : nextTools(at)) {
            std::vector<std::size_t> next = advance(at, tool);
            if (reached.emplace(encode(next), std::pair{key, tool}).second)
                queue.push_back(std::move(next));
        }
    }
    std::vector<std::int64_t> sequence;
    for (std::uint64_t key = goal; key != start; key = reached.at(key).first)
        sequence.push_back(reached.at(key).second);
    std::reverse(sequence.begin(), sequence.end());
    return sequence;
}

// The tool kept while any chain's next segment runs it, then the tool most chains run next
// (the earliest chain's among equals).
std::vector<std::int64_t>
SequenceSearch::mostWaiting(const std::vector<std::vector<std::int64_t>>& chains) const
{
    std::vector<std::size_t> at(m_distinct.size(), 0);
    std::vector<std::size_t> weight(m_distinct.size(), 0); // chains of each distinct sequence
    for (const std::vector<std::int64_t>& chain : chains)
        if (!chain.empty())
            ++weight[std::size_t(std::find(m_distinct.begin(), m_distinct.end(), chain) -
                                 m_distinct.begin())];
    std::vector<std::int64_t> sequence;
    for (std::vector<std::int64_t> tools = nextTools(at); !tools.empty(); tools = nextTools(at)) {
        std::int64_t chosen = tools.front();
        std::size_t most = 0;
        for (const std::int64_t tool : tools) {
            std::size_t waiting = 0;
            for (std::size_t c = 0; c < m_distinct.size(); ++c)
                waiting +=
                    at[c] < m_distinct[c].size() && m_distinct[c][at[c]] == tool ? weight[c] : 0;
            if (waiting > most) {
                most = waiting;
                chosen = tool;
            }
        }
        sequence.push_back(chosen);
        at = advance(at, chosen);
    }
    return sequence;
}

// The tools in the order they run, with the fewest changes the chains' orders allow: searched
// for where the states are few, else chosen a tool at a time.
std::vector<std::int64_t> toolSequence(const std::vector<std::vector<std::int64_t>>& chains)
{
    std::vector<std::vector<std::int64_t>> distinct;
    for (const std::vector<std::int64_t>& chain : chains)
        if (!chain.empty() && std::find(distinct.begin(), distinct.end(), chain) == distinct.end())
            distinct.push_back(chain);
    constexpr std::uint64_t kMaxStates = 200'000;
    std::uint64_t states = 1;
    for (const std::vector<std::int64_t>& chain : distinct)
        states = states > kMaxStates ? states : states * (chain.size() + 1);
    const SequenceSearch search(std::move(distinct));
    return states <= kMaxStates ? search.fewestChanges() : search.mostWaiting(chains);
}

// Segments in tool runs: each cell's segments in their order, the tools in the sequence that
// needs the fewest changes.
std::vector<const Segment*> schedule(const std::vector<OrderProgram>& programs,
                                     const std::vector<SplitProgram>& splits, std::int64_t& least)
{
    std::vector<std::vector<const Segment*>> chains;
    std::vector<WorkOffset> cells;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const auto cell = std::find(cells.begin(), cells.end(), programs[p].cell);
        const std::size_t chain = std::size_t(cell - cells.begin());
        if (cell == cells.end()) {
            cells.push_back(programs[p].cell);
            chains.emplace_back();
        }
        for (const Segment& segment : splits[p].segments)
            chains[chain].push_back(&segment);
    }
    std::vector<std::vector<std::int64_t>> tools;
    std::vector<std::int64_t> distinctTools;
    least = 0;
    for (const std::vector<const Segment*>& chain : chains) {
        tools.push_back(toolRuns(chain));
        least = std::max(least, std::int64_t(tools.back().size()));
        for (const std::int64_t tool : tools.back())
            if (std::find(distinctTools.begin(), distinctTools.end(), tool) == distinctTools.end())
                distinctTools.push_back(tool);
    }
    least = std::max(least, std::int64_t(distinctTools.size()));
    std::vector<std::size_t> next(chains.size(), 0);
    std::vector<const Segment*> order;
    for (const std::int64_t tool : toolSequence(tools))
        for (std::size_t c = 0; c < chains.size(); ++c)
            while (next[c] < chains[c].size() && chains[c][next[c]]->tool == tool)
                order.push_back(chains[c][next[c]++]);
    return order;
}

std::string gCode(int code)
{
    return (code < 10 ? "G0" : "G") + std::to_string(code);
}

// Groups whose state a program may leave to the control at power on, where another program of
// the job sets them: a restart states the power-on state.
struct JobGroups
{
    bool spindleMode = false;
    bool cuttingMode = false;
};

// What a restart states before a segment's tool change: the retract, then the modal state its
// own program had there, the groups it did not set at their power-on state, and its cell's
// offset. Nothing of the tool that ran before.
std::vector<std::string> restartHead(const ModalState& state, const WorkOffset& cell,
                                     const std::vector<std::string>& retract,
                                     const JobGroups& groups)
{
    std::vector<std::string> lines = retract;
    if (state.units)
        lines.push_back(gCode(*state.units));
    // A length offset is cancelled only where the program had cancelled it: cancelling another
    // tool's moves Z on the next move on some controls.
    std::string modes =
        gCode(state.plane.value_or(17)) + " G40" + (state.lengthCode == 49 ? " G49" : "") +
        " G80 " + gCode(state.distance.value_or(90)) + " " + gCode(state.feedMode.value_or(94));
    if (state.returnPlane)
        modes += " " + gCode(*state.returnPlane);
    if (state.cuttingMode || groups.cuttingMode)
        modes += " " + gCode(state.cuttingMode.value_or(64));
    if (state.spindleMode || groups.spindleMode)
        modes += " " + gCode(state.spindleMode.value_or(97));
    lines.push_back(modes);
    lines.push_back(state.offset ? state.offset->name() : cell.name());
    return lines;
}

// And after it: the spindle and coolant as the segment's first move runs them, off included;
// the length offset with the move to where its tool cuts first, unless the segment's own lines
// command it; the feed and the motion mode where a move relies on them.
std::vector<std::string> restartTail(const Segment& segment)
{
    std::vector<std::string> lines;
    const auto mCode = [](int code) {
        return "M0" + std::to_string(code);
    };
    const ModalState& move = segment.atFirstMove;
    const int spindle = move.spindle.value_or(5);
    if (spindle != 5 && move.spindleSpeed)
        lines.push_back("S" + *move.spindleSpeed + " " + mCode(spindle));
    else
        lines.push_back(mCode(spindle));
    // Off first, for mist and flood are apart and the one not wanted may be on; M07 and M08 on
    // lines of their own, one modal group on some controls.
    lines.push_back("M09");
    const int coolant = move.coolant.value_or(0);
    if (coolant & ModalState::kMist)
        lines.push_back("M07");
    if (coolant & ModalState::kFlood)
        lines.push_back("M08");
    const ModalState& cut = segment.atFirstCut;
    if (segment.cuts && !segment.ownLengthOffset && ownLengthOffset(cut)) {
        lines.push_back("G00 X" + ncDecimal(*cut.position.x, 4) + " Y" +
                        ncDecimal(*cut.position.y, 4));
        lines.push_back(gCode(*cut.lengthCode) +
                        (cut.lengthOffset.empty() ? "" : " H" + cut.lengthOffset) + " Z" +
                        ncDecimal(*cut.position.z, 4));
    }
    if (segment.reliesOnFeed && cut.feed)
        lines.push_back("F" + *cut.feed);
    if (segment.reliesOnMotion && segment.motion)
        lines.push_back(gCode(*segment.motion));
    return lines;
}

class OrderWriter
{
public:
    OrderWriter(const std::vector<OrderProgram>& programs, OrderedJob& job, JobGroups groups)
        : m_programs(programs), m_job(job), m_groups(groups)
    {}

    void written(std::string text)
    {
        m_job.texts.push_back(std::move(text));
        m_job.lines.push_back({m_job.texts.back(), OrderedLine::Origin::Written});
    }
    void program(std::size_t p, std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i)
            m_job.lines.push_back({m_programs[p].lines[i], OrderedLine::Origin::Program, p, i});
    }

    void segment(const Segment& segment, bool restart, const std::vector<std::string>& retract,
                 std::optional<std::int64_t>& tool)
    {
        const OrderProgram& program = m_programs[segment.program];
        if (restart)
            for (std::string& line : restartHead(segment.before, program.cell, retract, m_groups))
                written(std::move(line));
        this->program(segment.program, segment.begin, segment.change);
        const std::string_view change = program.lines[segment.change];
        NcLineReader reader(NcLineReader::Dialect::Iso);
        reader.keepWords(true);
        const NcLineFacts facts = reader.read(change);
        if (!restart || tool != segment.tool) {
            // A change that runs the tool called earlier in its own program names it here.
            if (restart && isoToolWords(change, facts.words).runs != segment.tool)
                written("T" + std::to_string(segment.tool));
            this->program(segment.program, segment.change, segment.change + 1);
        } else {
            std::string rest = withoutToolWords(change, facts);
            if (!rest.empty()) {
                m_job.texts.push_back(std::move(rest));
                m_job.lines.push_back({m_job.texts.back(), OrderedLine::Origin::WithoutToolWords,
                                       segment.program, segment.change});
            }
        }
        tool = segment.toolAfter;
        if (restart)
            for (std::string& line : restartTail(segment))
                written(std::move(line));
        this->program(segment.program, segment.change + 1, segment.end);
    }

private:
    const std::vector<OrderProgram>& m_programs;
    OrderedJob& m_job;
    JobGroups m_groups;
};

// Splits every program at its tool changes; false, with the reason in the record, where one
// cannot be restarted safely.
bool splitAll(const std::vector<OrderProgram>& programs, std::vector<SplitProgram>& splits,
              JobOrder& record)
{
    const auto refuse = [&](const Refusal& refused, std::size_t p) {
        record.given = refused.reason;
        record.input = programs[p].input;
        if (refused.line < programs[p].lines.size()) {
            record.line = programs[p].numbers[refused.line];
            record.text =
                std::string(programs[p].lines[refused.line].substr(0, kMaxNotedTextBytes));
        }
        return false;
    };
    for (std::size_t p = 0; p < programs.size(); ++p)
        if (const std::optional<Refusal> refused =
                split(programs[p], p, p + 1 == programs.size(), splits[p]))
            return refuse(*refused, p);
    if (const auto inheriting = inheritsAcrossPrograms(splits))
        return refuse(inheriting->second, inheriting->first);
    return true;
}

// Notes a segment as written in the record's runs, with its restart block and its tool change
// line where it stands in it; written: its lines, restart block first.
void noteSegment(JobOrder& record, const OrderProgram& program, const Segment& segment,
                 bool restarted, std::span<const OrderedLine> written)
{
    if (record.runs.empty() || record.runs.back().tool != segment.tool)
        record.runs.push_back({segment.tool, {}});
    OrderSegment& noted = record.runs.back().segments.emplace_back(
        OrderSegment{program.input, program.cell, program.numbers[segment.change], restarted});
    constexpr std::size_t kMaxRestartLines = 64;
    for (const OrderedLine& line : written) {
        if (!restarted)
            break;
        const bool change = line.origin != OrderedLine::Origin::Written &&
                            line.program == segment.program && line.line == segment.change;
        if ((line.origin == OrderedLine::Origin::Written || change) &&
            noted.restart.size() < kMaxRestartLines)
            noted.restart.emplace_back(line.text.substr(0, kMaxNotedTextBytes));
    }
}

} // namespace

std::vector<std::string> defaultRetract()
{
    return {"G91 G28 Z0.", "G90"};
}

std::vector<std::string> retractLines(std::string_view stored)
{
    std::vector<std::string> lines;
    while (!stored.empty()) {
        const std::size_t end = std::min(stored.find('\n'), stored.size());
        std::string_view line = stored.substr(0, end);
        stored.remove_prefix(std::min(end + 1, stored.size()));
        while (!line.empty() && (isBlank(line.back()) || line.back() == '\r'))
            line.remove_suffix(1);
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::optional<std::size_t> unsafeRetractLine(const std::vector<std::string>& retract)
{
    if (retract.empty())
        return 0;
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    reader.keepAxisWords(true);
    bool incremental = false;
    for (std::size_t i = 0; i < retract.size(); ++i) {
        const std::string_view line = retract[i];
        const NcLineFacts facts = reader.read(line);
        constexpr std::uint32_t kAllowed =
            NcLineFacts::AxisMove | NcLineFacts::SpindleStop | NcLineFacts::CoolantOff;
        if ((facts.facts & ~kAllowed) != 0 || !facts.offsets.empty())
            return i;
        std::optional<double> moveCode; // G00, G28, G30 or G53
        std::optional<double> z;
        for (const NcWord& word : facts.words) {
            const std::optional<double> value = wordNumber(line, word);
            if (!value)
                return i;
            const double v = *value;
            if (word.address == "G" && (v == 0 || v == 28 || v == 30 || v == 53) && !moveCode)
                moveCode = v;
            else if (word.address == "G" && (v == 90 || v == 91))
                incremental = v == 91;
            else if (word.address == "Z" && !z)
                z = v;
            // Cancelling compensation, cycles, spindle and coolant at the retract, as posts do.
            else if (!(word.address == "G" && (v == 40 || v == 49 || v == 80)) &&
                     !(word.address == "M" && (v == 5 || v == 9)))
                return i;
        }
        if (!moveCode && !z)
            continue;
        if (!moveCode || !z)
            return i;
        // Up only: a return by an incremental point that stays where the tool is, machine
        // coordinates at or above the reference position, an incremental rapid upwards.
        const bool up = *moveCode == 53  ? *z >= 0
                        : *moveCode == 0 ? incremental && *z > 0
                                         : incremental && *z >= 0;
        if (!up)
            return i;
    }
    // Every restart block's lines are written in absolute distances.
    return incremental ? std::optional(retract.size() - 1) : std::nullopt;
}

const char* orderKeptGivenKey(JobOrder::Given given)
{
    switch (given) {
    case JobOrder::Given::No:
        return "";
    case JobOrder::Given::Heidenhain:
        return "heidenhain";
    case JobOrder::Given::NotPlaced:
        return "not-placed";
    case JobOrder::Given::Call:
        return "call";
    case JobOrder::Given::OffsetShift:
        return "offset-shift";
    case JobOrder::Given::Computed:
        return "computed";
    case JobOrder::Given::MoveBeforeToolChange:
        return "move-before-tool-change";
    case JobOrder::Given::NoToolChange:
        return "no-tool-change";
    case JobOrder::Given::ToolUnknown:
        return "tool-unknown";
    case JobOrder::Given::TooLarge:
        return "too-large";
    case JobOrder::Given::Unrestatable:
        return "unrestatable";
    case JobOrder::Given::Incremental:
        return "incremental";
    case JobOrder::Given::UnitsUnknown:
        return "units-unknown";
    case JobOrder::Given::ReturnPlaneUnknown:
        return "return-plane-unknown";
    case JobOrder::Given::PositionUnknown:
        return "position-unknown";
    case JobOrder::Given::LengthOffsetUnknown:
        return "length-offset-unknown";
    case JobOrder::Given::UnsafeRetract:
        return "unsafe-retract";
    }
    return "";
}

std::string withoutToolWords(std::string_view line, const NcLineFacts& facts)
{
    // A tool the line calls for a later change stays called.
    const std::optional<std::int64_t> runs = isoToolWords(line, facts.words).runs;
    bool runsLeft = runs.has_value();
    std::string rest;
    std::size_t from = 0;
    for (const NcWord& word : facts.words) {
        const std::optional<double> tool =
            word.address == "T" ? wordNumber(line, word) : std::nullopt;
        const bool named = runsLeft && tool && *tool == double(runs.value_or(-1));
        runsLeft = runsLeft && !named;
        if ((!named && !isWordCode(line, word, "M", 6)) || word.begin == 0)
            continue;
        rest.append(line.substr(from, word.begin - 1 - from));
        from = word.end;
        while (from < line.size() && isBlank(line[from]))
            ++from;
    }
    rest.append(line.substr(from));
    while (!rest.empty() && isBlank(rest.back()))
        rest.pop_back();
    // Nothing but a block number, comments and blanks: the line goes.
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    const NcLineFacts left = reader.read(rest);
    const bool words = !left.words.empty() || left.facts != 0 || left.label.kind == 'O';
    bool other = words;
    for (std::size_t i = 0; !other && i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '(') {
            const std::size_t close = rest.find(')', i);
            i = close == std::string::npos ? rest.size() : close;
        } else if (c == ';') {
            break;
        } else if (c == 'N' || c == 'n') {
            while (i + 1 < rest.size() && rest[i + 1] >= '0' && rest[i + 1] <= '9')
                ++i;
        } else if (!isBlank(c)) {
            other = true;
        }
    }
    return other ? rest : std::string();
}

OrderedJob orderByTool(const std::vector<OrderProgram>& programs,
                       const std::vector<std::string>& retract,
                       const std::vector<std::string_view>& before,
                       const std::vector<std::string_view>& after)
{
    OrderedJob job;
    JobOrder& record = job.record;
    if (const std::optional<std::size_t> unsafe = unsafeRetractLine(retract)) {
        record.given = JobOrder::Given::UnsafeRetract;
        record.text =
            *unsafe < retract.size() ? retract[*unsafe].substr(0, kMaxNotedTextBytes) : "";
        return job;
    }
    std::vector<SplitProgram> splits(programs.size());
    if (!splitAll(programs, splits, record))
        return job;

    JobGroups groups;
    for (const SplitProgram& split : splits) {
        record.toolChangesBefore += split.toolChanges;
        groups.spindleMode = groups.spindleMode || split.choosesSpindleMode;
        groups.cuttingMode = groups.cuttingMode || split.choosesCuttingMode;
    }
    OrderWriter writer(programs, job, groups);
    for (const std::string_view line : before)
        job.lines.push_back({line, OrderedLine::Origin::Around});
    const Segment* previous = nullptr;
    if (!programs.empty())
        writer.program(0, 0, splits[0].segments.front().change);
    std::optional<std::int64_t> tool;
    for (const Segment* segment : schedule(programs, splits, record.toolChangesLeast)) {
        const bool follows = previous ? previous->program == segment->program &&
                                            previous->number + 1 == segment->number
                                      : segment->program == 0 && segment->number == 0;
        if (!follows)
            ++record.restarts;
        const std::size_t first = job.lines.size();
        writer.segment(*segment, !follows, retract, tool);
        noteSegment(record, programs[segment->program], *segment, !follows,
                    {job.lines.begin() + std::ptrdiff_t(first), job.lines.end()});
        previous = segment;
    }
    if (!programs.empty())
        writer.program(programs.size() - 1, splits.back().end, programs.back().lines.size());
    for (const std::string_view line : after)
        job.lines.push_back({line, OrderedLine::Origin::Around});

    proveOrder(programs, job.lines, retract, record);
    return job;
}
