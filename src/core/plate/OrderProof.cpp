// The proof of a job ordered by tool: the ordered program read again against every program.

#include "ToolOrder.h"

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

// A program read line by line as far as the ordered program has reached in it.
struct OwnProgram
{
    NcLineReader reader{NcLineReader::Dialect::Iso};
    ModalTracker tracker;
    std::size_t next = 0;

    OwnProgram()
    {
        reader.keepWords(true);
        reader.keepAxisWords(true);
    }
};

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

// Reads the ordered program line by line, each program's own lines alongside as far as the
// ordered program has reached in them, and notes every difference.
class OrderProof
{
public:
    OrderProof(const std::vector<OrderProgram>& programs, const std::vector<std::string>& retract,
               JobOrder& record)
        : m_programs(programs), m_retract(retract), m_record(record), m_own(programs.size())
    {
        m_reader.keepWords(true);
        m_reader.keepAxisWords(true);
    }

    void read(const OrderedLine& line, std::size_t at);
    // After the last of count lines: the programs' lines never reached.
    void finish(std::size_t count);

private:
    // The ordered program's line being read.
    struct Step
    {
        const OrderedLine& line;
        std::size_t at; // from 0
        const ModalLine& read;
        bool repeated; // a tool change to the tool already in the spindle
    };
    // A length offset a restart block commanded (code, H, tool): the one the program's next
    // move runs under.
    struct CommandedOffset
    {
        std::optional<int> code;
        std::string value;
        std::optional<std::int64_t> tool;
    };
    static constexpr std::size_t kNone = std::size_t(-1);

    void restartLine(const Step& step, const NcLineFacts& facts);
    void programLine(const Step& step);
    void readUpTo(std::size_t program, std::size_t line, std::size_t at);
    void keepsCellOrder(const Step& step, const OrderProgram& program);
    void move(const Step& step, const OrderProgram& program, OwnProgram& mine, const ModalLine& own,
              std::optional<double> ownZBefore);
    void differ(OrderDifference::Kind kind, const OrderProgram* program, std::size_t line,
                std::string_view text, std::string detail, std::size_t at);

    const std::vector<OrderProgram>& m_programs;
    const std::vector<std::string>& m_retract;
    JobOrder& m_record;
    std::vector<OwnProgram> m_own;
    NcLineReader m_reader{NcLineReader::Dialect::Iso};
    ModalTracker m_ordered;
    // The lowest Z a restart block moved to since its program last cut: no lower than where the
    // program's next cut starts.
    double m_restartZ = 0;
    bool m_restartMovedZ = false;
    bool m_restartZUnknown = false;
    std::optional<CommandedOffset> m_restartOffset;
    // Per cell, the program line that ran there last.
    std::vector<std::pair<WorkOffset, std::pair<std::size_t, std::size_t>>> m_cellLast;
    std::optional<WorkOffset> m_lastMoveOffset;
    bool m_retracted = false;
    bool m_stateDiffers = false; // reported for the stretch of lines read since the last restart
    std::size_t m_lastProgram = kNone;
};

void OrderProof::differ(OrderDifference::Kind kind, const OrderProgram* program, std::size_t line,
                        std::string_view text, std::string detail, std::size_t at)
{
    if (m_record.differences.size() >= JobOrder::kMaxListed)
        return;
    m_record.differences.push_back(
        {kind, program ? std::optional(program->input) : std::nullopt,
         program && line < program->numbers.size() ? program->numbers[line] : 0,
         std::string(text.substr(0, kMaxNotedTextBytes)), std::move(detail), std::int64_t(at) + 1});
}

void OrderProof::read(const OrderedLine& line, std::size_t at)
{
    const NcLineFacts facts = m_reader.read(line.text);
    const std::optional<std::int64_t> toolBefore = m_ordered.state().tool;
    const ModalLine read = m_ordered.read(line.text, facts);
    m_record.toolChangesAfter += read.toolChange ? 1 : 0;
    m_retracted = m_retracted || isRetract(line.text, facts, m_retract);
    const Step step{line, at, read,
                    read.toolChange && read.changedTo && read.changedTo == toolBefore};
    if (line.origin == OrderedLine::Origin::Written)
        restartLine(step, facts);
    if (line.origin == OrderedLine::Origin::Written || line.origin == OrderedLine::Origin::Around ||
        line.program >= m_programs.size()) {
        if (step.repeated)
            differ(OrderDifference::Kind::ToolChangeRepeated, nullptr, 0, line.text, {}, at);
        m_stateDiffers = false;
        m_lastProgram = kNone;
        return;
    }
    programLine(step);
}

// A line the order wrote: what it must not do, how low it takes Z, the offset it commands.
void OrderProof::restartLine(const Step& step, const NcLineFacts& facts)
{
    if (const char* fault = restartLineFault(facts, step.read))
        differ(OrderDifference::Kind::RestartLine, nullptr, 0, step.line.text, fault, step.at);
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

// A program's line: its own, in its order, unchanged, its cell's lines in their order.
void OrderProof::programLine(const Step& step)
{
    const OrderedLine& line = step.line;
    const OrderProgram& program = m_programs[line.program];
    OwnProgram& mine = m_own[line.program];
    if (m_lastProgram != line.program)
        m_stateDiffers = false;
    m_lastProgram = line.program;
    if (line.line < mine.next || line.line >= program.lines.size()) {
        differ(OrderDifference::Kind::OutOfOrder, &program, line.line, line.text, {}, step.at);
        return;
    }
    readUpTo(line.program, line.line, step.at);
    const std::string_view source = program.lines[line.line];
    const NcLineFacts sourceFacts = mine.reader.read(source);
    const std::optional<std::int64_t> ownToolBefore = mine.tracker.state().tool;
    const std::optional<double> ownZBefore = mine.tracker.state().position.z;
    const ModalLine own = mine.tracker.read(source, sourceFacts);
    ++mine.next;
    const bool same = line.origin == OrderedLine::Origin::Program
                          ? line.text == source
                          : line.text == withoutToolWords(source, sourceFacts);
    if (!same)
        differ(OrderDifference::Kind::LineAltered, &program, line.line, line.text, {}, step.at);
    keepsCellOrder(step, program);
    if (step.repeated && ownToolBefore != step.read.changedTo)
        differ(OrderDifference::Kind::ToolChangeRepeated, &program, line.line, line.text, {},
               step.at);
    if (step.read.move)
        move(step, program, mine, own, ownZBefore);
}

// Reads a program's own lines up to line; any the order left out must be ones it may.
void OrderProof::readUpTo(std::size_t program, std::size_t line, std::size_t at)
{
    OwnProgram& mine = m_own[program];
    for (; mine.next < line; ++mine.next) {
        const std::string_view skipped = m_programs[program].lines[mine.next];
        const NcLineFacts skippedFacts = mine.reader.read(skipped);
        mine.tracker.read(skipped, skippedFacts);
        if (!mayBeLeftOut(skipped, skippedFacts))
            differ(OrderDifference::Kind::LineLost, &m_programs[program], mine.next, skipped, {},
                   at);
    }
}

void OrderProof::keepsCellOrder(const Step& step, const OrderProgram& program)
{
    const auto cell = std::find_if(m_cellLast.begin(), m_cellLast.end(),
                                   [&](const auto& last) { return last.first == program.cell; });
    const std::pair<std::size_t, std::size_t> at{step.line.program, step.line.line};
    if (cell == m_cellLast.end())
        m_cellLast.emplace_back(program.cell, at);
    else if (at < cell->second)
        differ(OrderDifference::Kind::OutOfOrder, &program, step.line.line, step.line.text, {},
               step.at);
    else
        cell->second = at;
}

// A move: under the length offset its program chose, above the clearance after a restart,
// after a retract where the offset changed, under its own program's modal state.
void OrderProof::move(const Step& step, const OrderProgram& program, OwnProgram& mine,
                      const ModalLine& own, std::optional<double> ownZBefore)
{
    const auto moveDiffers = [&](OrderDifference::Kind kind, std::string detail) {
        differ(kind, &program, step.line.line, step.line.text, std::move(detail), step.at);
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
    // A move with a motion or cycle code of its own does not run under the motion mode.
    ModalState actual = m_ordered.state();
    if (!step.read.reliesOnMotion)
        actual.motion = mineNow.motion;
    if (std::optional<std::string> difference = modalDifference(
            mineNow, actual, own.feeds ? MoveKind::Feed : MoveKind::Rapid, own.axisZ)) {
        moveDiffers(OrderDifference::Kind::State, std::move(*difference));
        m_stateDiffers = true;
    }
}

void OrderProof::finish(std::size_t count)
{
    for (std::size_t p = 0; p < m_programs.size(); ++p)
        for (OwnProgram& mine = m_own[p]; mine.next < m_programs[p].lines.size(); ++mine.next) {
            const std::string_view skipped = m_programs[p].lines[mine.next];
            if (!mayBeLeftOut(skipped, mine.reader.read(skipped)))
                differ(OrderDifference::Kind::LineLost, &m_programs[p], mine.next, skipped, {},
                       count);
        }
}

} // namespace

void proveOrder(const std::vector<OrderProgram>& programs, const std::vector<OrderedLine>& lines,
                const std::vector<std::string>& retract, JobOrder& record)
{
    OrderProof proof(programs, retract, record);
    for (std::size_t at = 0; at < lines.size(); ++at)
        proof.read(lines[at], at);
    proof.finish(lines.size());
}
