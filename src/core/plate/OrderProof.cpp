// The proof of a job ordered by tool: the ordered program read again against every program.

#include "OrderProof.h"

#include "core/nc/LineStage.h"

#include <algorithm>

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// A return to the reference or machine position, or the retract the job was given.
bool isRetract(std::string_view line, const NcLineFacts& facts,
               const std::vector<std::string>& retract)
{
    if (!retract.empty() && trimmed(line) == trimmed(retract.front()))
        return true;
    return std::any_of(facts.words.begin(), facts.words.end(), [&](const NcWord& word) {
        return isWordCode(line, word, "G", 28) || isWordCode(line, word, "G", 30) ||
               isWordCode(line, word, "G", 53);
    });
}

// A tool change line the order may leave out: it holds nothing but its tool words.
bool mayBeLeftOut(std::string_view line, const NcLineFacts& facts)
{
    return facts.has(NcLineFacts::ToolChange) && withoutToolWords(line, facts).empty();
}

// What a restart block's line must not do: end or leave the program, shift offsets, cut.
const char* restartLineFault(const NcLineFacts& facts, const ModalLine& read)
{
    if (facts.has(NcLineFacts::ProgramEnd) || facts.has(NcLineFacts::ProgramStart))
        return "program end";
    if (facts.has(NcLineFacts::TapeMark))
        return "%";
    if (facts.has(NcLineFacts::Call) || facts.has(NcLineFacts::Return))
        return "call";
    if (facts.has(NcLineFacts::OffsetShift))
        return "offset shift";
    if (read.feeds)
        return "cut";
    if (read.setsLengthOffset && !(read.move && read.axisZ))
        return "length offset without a Z move";
    return nullptr;
}

} // namespace

OrderProof::OwnProgram::OwnProgram()
{
    reader.keepWords(true);
    reader.keepAxisWords(true);
}

OrderProof::OrderProof(std::vector<ProgramAt> programs, const std::vector<std::string>& retract,
                       JobOrder& record)
    : m_programs(std::move(programs)), m_retract(retract), m_record(record),
      m_own(m_programs.size())
{
    m_reader.keepWords(true);
    m_reader.keepAxisWords(true);
}

void OrderProof::differ(OrderDifference::Kind kind, std::optional<std::size_t> input,
                        std::int64_t number, std::string_view text, std::string detail,
                        std::size_t at)
{
    if (m_record.differences.size() >= JobOrder::kMaxListed)
        return;
    m_record.differences.push_back({kind, input, number,
                                    std::string(text.substr(0, kMaxNotedTextBytes)),
                                    std::move(detail), std::int64_t(at) + 1});
}

void OrderProof::read(const OrderedLine& line, std::size_t at, const ProgramLine& own)
{
    const NcLineFacts facts = m_reader.read(line.text);
    ModalLine read;
    bool repeated = false;
    if (readOrdered(line, facts, at, read, repeated))
        programLine({line, at, read, repeated}, facts, own);
}

void OrderProof::readOutOfOrder(const OrderedLine& line, std::size_t at, std::int64_t number)
{
    const NcLineFacts facts = m_reader.read(line.text);
    ModalLine read;
    bool repeated = false;
    if (readOrdered(line, facts, at, read, repeated))
        differ(OrderDifference::Kind::OutOfOrder, m_programs[line.program].input, number, line.text,
               {}, at);
}

// Reads a line of the ordered program into its state, and what a line the order wrote must
// not do; false where the line is none of a program's.
bool OrderProof::readOrdered(const OrderedLine& line, const NcLineFacts& facts, std::size_t at,
                             ModalLine& read, bool& repeated)
{
    const std::optional<std::int64_t> toolBefore = m_ordered.state().tool;
    read = m_ordered.read(line.text, facts);
    m_record.toolChangesAfter += read.toolChange ? 1 : 0;
    m_retracted = m_retracted || isRetract(line.text, facts, m_retract);
    repeated = read.toolChange && read.changedTo && read.changedTo == toolBefore;
    if (line.origin == OrderedLine::Origin::Written)
        restartLine({line, at, read, repeated}, facts);
    if (line.origin == OrderedLine::Origin::Written || line.origin == OrderedLine::Origin::Around ||
        line.program >= m_programs.size()) {
        if (repeated)
            differ(OrderDifference::Kind::ToolChangeRepeated, std::nullopt, 0, line.text, {}, at);
        m_stateDiffers = false;
        m_lastProgram = kNone;
        return false;
    }
    if (m_lastProgram != line.program)
        m_stateDiffers = false;
    m_lastProgram = line.program;
    return true;
}

// A line the order wrote: what it must not do, how low it takes Z, the offset it commands.
void OrderProof::restartLine(const Step& step, const NcLineFacts& facts)
{
    if (const char* fault = restartLineFault(facts, step.read))
        differ(OrderDifference::Kind::RestartLine, std::nullopt, 0, step.line.text, fault, step.at);
    const ModalState& state = m_ordered.state();
    if (step.read.move && step.read.axisZ) {
        const std::optional<double> z = state.position.z;
        m_restartZUnknown = m_restartZUnknown || !z;
        if (z && (!m_restartMovedZ || *z < m_restartZ))
            m_restartZ = *z;
        m_restartMovedZ = m_restartMovedZ || z;
    }
    if (step.read.setsLengthOffset)
        m_restartOffset = CommandedOffset{state.lengthCode, state.lengthOffset, state.tool};
}

// A program's line: its own, unchanged, its cell's lines in their order. facts: of the line.
void OrderProof::programLine(const Step& step, const NcLineFacts& facts, const ProgramLine& own)
{
    const OrderedLine& line = step.line;
    const ProgramAt& program = m_programs[line.program];
    OwnProgram& mine = m_own[line.program];
    // The same text reads the same: a line read once serves both programs.
    const bool sameText = line.text == own.text;
    NcLineFacts read;
    const NcLineFacts& ownFacts = sameText ? facts : (read = mine.reader.read(own.text));
    const std::optional<std::int64_t> ownToolBefore = mine.tracker.state().tool;
    const std::optional<double> ownZBefore = mine.tracker.state().position.z;
    const ModalLine ownRead = mine.tracker.read(own.text, ownFacts);
    const bool same = line.origin == OrderedLine::Origin::Program
                          ? sameText
                          : line.text == withoutToolWords(own.text, ownFacts);
    if (!same)
        differ(OrderDifference::Kind::LineAltered, program.input, own.number, line.text, {},
               step.at);
    keepsCellOrder(step, program, own.number);
    if (step.repeated && ownToolBefore != step.read.changedTo)
        differ(OrderDifference::Kind::ToolChangeRepeated, program.input, own.number, line.text, {},
               step.at);
    if (step.read.move)
        move(step, program, own.number, mine, ownRead, ownZBefore);
}

void OrderProof::skip(std::size_t program, const ProgramLine& own, std::size_t at)
{
    OwnProgram& mine = m_own[program];
    const NcLineFacts facts = mine.reader.read(own.text);
    mine.tracker.read(own.text, facts);
    if (!mayBeLeftOut(own.text, facts))
        differ(OrderDifference::Kind::LineLost, m_programs[program].input, own.number, own.text, {},
               at);
}

void OrderProof::keepsCellOrder(const Step& step, const ProgramAt& program, std::int64_t number)
{
    const auto cell = std::find_if(m_cellLast.begin(), m_cellLast.end(),
                                   [&](const auto& last) { return last.first == program.cell; });
    const std::pair<std::size_t, std::size_t> at{step.line.program, step.line.line};
    if (cell == m_cellLast.end())
        m_cellLast.emplace_back(program.cell, at);
    else if (at < cell->second)
        differ(OrderDifference::Kind::OutOfOrder, program.input, number, step.line.text, {},
               step.at);
    else
        cell->second = at;
}

// A move: under the length offset its program chose, above the clearance after a restart,
// after a retract where the offset changed, under its own program's modal state.
void OrderProof::move(const Step& step, const ProgramAt& program, std::int64_t number,
                      const OwnProgram& mine, const ModalLine& own,
                      std::optional<double> ownZBefore)
{
    const auto moveDiffers = [&](OrderDifference::Kind kind, std::string detail) {
        differ(kind, program.input, number, step.line.text, std::move(detail), step.at);
    };
    const ModalState& mineNow = mine.tracker.state();
    if (m_restartOffset) {
        if (!ownLengthOffset(mineNow) || mineNow.lengthCode != m_restartOffset->code ||
            !sameNcValue(mineNow.lengthOffset, m_restartOffset->value))
            moveDiffers(OrderDifference::Kind::RestartLine,
                        "length offset H" + m_restartOffset->value + " for T" +
                            std::to_string(m_restartOffset->tool.value_or(0)) +
                            ", not the program's");
        m_restartOffset.reset();
    }
    if (own.feeds && (m_restartMovedZ || m_restartZUnknown)) {
        if (m_restartZUnknown || !ownZBefore || m_restartZ < *ownZBefore - 1e-9)
            moveDiffers(OrderDifference::Kind::RestartLine, "move below the clearance");
        m_restartMovedZ = false;
        m_restartZUnknown = false;
    }
    const std::optional<WorkOffset>& offset = m_ordered.state().offset;
    if (m_lastMoveOffset && offset && !(*offset == *m_lastMoveOffset) && !m_retracted)
        moveDiffers(OrderDifference::Kind::Retract, {});
    if (offset)
        m_lastMoveOffset = offset;
    m_retracted = false;
    if (m_stateDiffers)
        return;
    // A move with a motion or cycle code of its own does not run under the motion mode. The
    // state is copied only then, and only where the modes differ: most moves are neither.
    const ModalState& ordered = m_ordered.state();
    std::optional<ModalState> ownMotion;
    if (!step.read.reliesOnMotion && ordered.motion != mineNow.motion) {
        ownMotion = ordered;
        ownMotion->motion = mineNow.motion;
    }
    const ModalState& actual = ownMotion ? *ownMotion : ordered;
    if (std::optional<std::string> difference = modalDifference(
            mineNow, actual, own.feeds ? MoveKind::Feed : MoveKind::Rapid, own.axisZ)) {
        moveDiffers(OrderDifference::Kind::State, std::move(*difference));
        m_stateDiffers = true;
    }
}
