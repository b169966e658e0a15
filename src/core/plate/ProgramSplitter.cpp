// A program split at its tool changes, and refused where a restart could not run it as it does.

#include "ProgramSplitter.h"

#include "core/nc/LineStage.h"

namespace {

bool positionKnown(const ToolPosition& position)
{
    return position.x && position.y && position.z;
}

} // namespace

ProgramSplitter::ProgramSplitter(std::size_t index, SplitProgram& split)
    : m_index(index), m_split(split)
{
    m_reader.keepWords(true);
    m_reader.keepAxisWords(true);
}

NotedLine ProgramSplitter::noted() const
{
    return {m_number, std::string(m_text.substr(0, kMaxNotedTextBytes))};
}

std::optional<Refusal> ProgramSplitter::read(std::string_view line, std::int64_t number)
{
    m_text = line;
    m_number = number;
    m_line = m_split.lines++;
    const NcLineFacts facts = m_reader.read(line);
    // Kept only where a segment may start, or where its tool cuts first: a copy costs.
    const bool firstCut = !m_split.segments.empty() && !m_split.segments.back().cuts;
    std::optional<ModalState> before;
    if (facts.has(NcLineFacts::ToolChange) || (firstCut && facts.has(NcLineFacts::AxisMove)))
        before = m_tracker.state();
    const ModalLine read = m_tracker.read(line, facts);
    const ModalState& state = m_tracker.state();
    if (std::optional<Refusal> refusal = refused(facts, read))
        return refusal;
    m_split.choosesUnits = m_split.choosesUnits || state.units;
    m_split.choosesReturnPlane = m_split.choosesReturnPlane || state.returnPlane;
    m_split.choosesSpindleMode = m_split.choosesSpindleMode || state.spindleMode;
    m_split.choosesCuttingMode = m_split.choosesCuttingMode || state.cuttingMode;
    if (read.toolChange) {
        ++m_split.toolChanges;
        if (!read.changedTo)
            return Refusal{JobOrder::Given::ToolUnknown, noted()};
        toolChange(read, before);
        return std::nullopt;
    }
    if (std::optional<Refusal> refusal = inSegment(read, before))
        return refusal;
    // A cycle leaves the motion mode as it was, for the moves after G80.
    m_motionSet = m_motionSet || read.setsMotion;
    m_feedSet = m_feedSet || read.setsFeed;
    if (facts.has(NcLineFacts::ProgramEnd) && m_programEnd == kNone)
        m_programEnd = m_line;
    return std::nullopt;
}

// What no restart can restate: a call, an offset shift, a computed value, a transformation.
std::optional<Refusal> ProgramSplitter::refused(const NcLineFacts& facts,
                                                const ModalLine& read) const
{
    if (facts.has(NcLineFacts::Call) || facts.has(NcLineFacts::Return))
        return Refusal{JobOrder::Given::Call, noted()};
    if (facts.has(NcLineFacts::OffsetShift))
        return Refusal{JobOrder::Given::OffsetShift, noted()};
    if (read.computed)
        return Refusal{JobOrder::Given::Computed, noted()};
    if (read.unrestatable)
        return Refusal{JobOrder::Given::Unrestatable, noted()};
    return std::nullopt;
}

void ProgramSplitter::toolChange(const ModalLine& read, const std::optional<ModalState>& before)
{
    const ModalState& state = m_tracker.state();
    if (!m_split.segments.empty())
        m_split.segments.back().end = m_line;
    // The first program's header stands apart; the lines before any other program's first
    // tool change go with its first segment.
    const bool withHeader = m_split.segments.empty() && m_index != 0;
    m_split.segments.push_back(
        Segment{.program = m_index,
                .number = m_split.segments.size(),
                .begin = withHeader ? 0 : m_line,
                .change = m_line,
                .changeNumber = m_number,
                .changeText = std::string(m_text),
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
std::optional<Refusal> ProgramSplitter::inSegment(const ModalLine& read,
                                                  const std::optional<ModalState>& before)
{
    const ModalState& state = m_tracker.state();
    if (read.move && m_split.segments.empty())
        return Refusal{JobOrder::Given::MoveBeforeToolChange, noted()};
    if (read.move && state.distance == 91)
        return Refusal{JobOrder::Given::Incremental, noted()};
    if (read.move && !state.units && !m_split.movesInControlUnits)
        m_split.movesInControlUnits = noted();
    if (read.move && state.cycle && *state.cycle != 80 && !state.returnPlane &&
        !m_split.cycleAtControlReturnPlane)
        m_split.cycleAtControlReturnPlane = noted();
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
        return Refusal{JobOrder::Given::LengthOffsetUnknown, noted()};
    if (!segment.cuts && read.feeds) {
        segment.cuts = true;
        segment.atFirstCut = before.value_or(state);
    } else if (!segment.cuts) {
        segment.ownLengthOffset = segment.ownLengthOffset || read.setsLengthOffset;
    }
    return std::nullopt;
}

std::optional<Refusal> ProgramSplitter::finish(bool last)
{
    if (m_split.segments.empty())
        return Refusal{JobOrder::Given::NoToolChange, std::nullopt}; // the whole program
    for (Segment& segment : m_split.segments) {
        if (!segment.cuts)
            segment.atFirstCut = segment.atFirstMove;
        // A restart moves to where the tool cuts first when it must apply the length offset.
        if (segment.cuts && !segment.ownLengthOffset && ownLengthOffset(segment.atFirstCut) &&
            !positionKnown(segment.atFirstCut.position))
            return Refusal{
                JobOrder::Given::PositionUnknown,
                NotedLine{segment.changeNumber, segment.changeText.substr(0, kMaxNotedTextBytes)}};
    }
    m_split.end = last && m_programEnd != kNone ? m_programEnd : m_split.lines;
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
