#include "ToolOrder.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxText = 512;

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

} // namespace

void proveOrder(const std::vector<OrderProgram>& programs, const std::vector<OrderedLine>& lines,
                const std::vector<std::string>& retract, JobOrder& record)
{
    const auto differ = [&](OrderDifference::Kind kind, const OrderProgram* program,
                            std::size_t line, std::string_view text, std::string detail,
                            std::size_t outputLine) {
        if (record.differences.size() >= JobOrder::kMaxListed)
            return;
        record.differences.push_back(
            {kind, program ? std::optional(program->input) : std::nullopt,
             program && line < program->numbers.size() ? program->numbers[line] : 0,
             std::string(text.substr(0, kMaxText)), std::move(detail),
             std::int64_t(outputLine) + 1});
    };

    std::vector<OwnProgram> own(programs.size());
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    reader.keepAxisWords(true);
    ModalTracker ordered;
    // The lowest Z a restart block moved to since its program last cut: no lower than where the
    // program's next cut starts.
    double restartZ = 0;
    bool restartMovedZ = false;
    bool restartZUnknown = false;
    // A length offset a restart block commanded (code, H, tool): the one the program's next
    // move runs under.
    struct CommandedOffset
    {
        std::optional<int> code;
        std::string value;
        std::optional<std::int64_t> tool;
    };
    std::optional<CommandedOffset> restartOffset;
    // Per cell, the program line that ran there last.
    std::vector<std::pair<WorkOffset, std::pair<std::size_t, std::size_t>>> cellLast;
    std::optional<WorkOffset> lastMoveOffset;
    bool retracted = false;
    bool stateDiffers = false; // reported for the stretch of lines read since the last restart
    constexpr std::size_t kNone = std::size_t(-1);
    std::size_t lastProgram = kNone;

    for (std::size_t k = 0; k < lines.size(); ++k) {
        const OrderedLine& line = lines[k];
        const NcLineFacts facts = reader.read(line.text);
        const std::optional<std::int64_t> toolBefore = ordered.state().tool;
        const ModalLine read = ordered.read(line.text, facts);
        record.toolChangesAfter += read.toolChange ? 1 : 0;
        retracted = retracted || isRetract(line.text, facts, retract);
        const bool repeated = read.toolChange && read.changedTo && read.changedTo == toolBefore;
        if (line.origin == OrderedLine::Origin::Written) {
            if (const char* fault = restartLineFault(facts, read))
                differ(OrderDifference::Kind::RestartLine, nullptr, 0, line.text, fault, k);
            if (read.move && read.axisZ) {
                const std::optional<double> z = ordered.state().position.z;
                restartZUnknown = restartZUnknown || !z;
                if (z && (!restartMovedZ || *z < restartZ))
                    restartZ = *z;
                restartMovedZ = restartMovedZ || z;
            }
            if (read.setsLengthOffset)
                restartOffset = CommandedOffset{ordered.state().lengthCode,
                                                ordered.state().lengthOffset, ordered.state().tool};
        }
        if (line.origin == OrderedLine::Origin::Written ||
            line.origin == OrderedLine::Origin::Around || line.program >= programs.size()) {
            if (repeated)
                differ(OrderDifference::Kind::ToolChangeRepeated, nullptr, 0, line.text, {}, k);
            stateDiffers = false;
            lastProgram = kNone;
            continue;
        }
        const OrderProgram& program = programs[line.program];
        OwnProgram& mine = own[line.program];
        if (lastProgram != line.program)
            stateDiffers = false;
        lastProgram = line.program;
        if (line.line < mine.next || line.line >= program.lines.size()) {
            differ(OrderDifference::Kind::OutOfOrder, &program, line.line, line.text, {}, k);
            continue;
        }
        for (; mine.next < line.line; ++mine.next) {
            const std::string_view skipped = program.lines[mine.next];
            const NcLineFacts skippedFacts = mine.reader.read(skipped);
            mine.tracker.read(skipped, skippedFacts);
            if (!mayBeLeftOut(skipped, skippedFacts))
                differ(OrderDifference::Kind::LineLost, &program, mine.next, skipped, {}, k);
        }
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
            differ(OrderDifference::Kind::LineAltered, &program, line.line, line.text, {}, k);

        const auto cell = std::find_if(cellLast.begin(), cellLast.end(), [&](const auto& last) {
            return last.first == program.cell;
        });
        const std::pair<std::size_t, std::size_t> at{line.program, line.line};
        if (cell == cellLast.end())
            cellLast.emplace_back(program.cell, at);
        else if (at < cell->second)
            differ(OrderDifference::Kind::OutOfOrder, &program, line.line, line.text, {}, k);
        else
            cell->second = at;

        if (repeated && ownToolBefore != read.changedTo)
            differ(OrderDifference::Kind::ToolChangeRepeated, &program, line.line, line.text, {},
                   k);
        if (!read.move)
            continue;
        if (restartOffset) {
            const ModalState& mineNow = mine.tracker.state();
            if (!ownLengthOffset(mineNow) || mineNow.lengthCode != restartOffset->code ||
                !sameNcValue(mineNow.lengthOffset, restartOffset->value))
                differ(OrderDifference::Kind::RestartLine, &program, line.line, line.text,
                       "length offset H" + restartOffset->value + " for T" +
                           std::to_string(restartOffset->tool.value_or(0)) + ", not the program's",
                       k);
            restartOffset.reset();
        }
        if (own.feeds && (restartMovedZ || restartZUnknown)) {
            if (restartZUnknown || !ownZBefore || restartZ < *ownZBefore - 1e-9)
                differ(OrderDifference::Kind::RestartLine, &program, line.line, line.text,
                       "move below the clearance", k);
            restartMovedZ = false;
            restartZUnknown = false;
        }
        const std::optional<WorkOffset>& offset = ordered.state().offset;
        if (lastMoveOffset && offset && !(*offset == *lastMoveOffset) && !retracted)
            differ(OrderDifference::Kind::Retract, &program, line.line, line.text, {}, k);
        if (offset)
            lastMoveOffset = offset;
        retracted = false;
        if (stateDiffers)
            continue;
        // A move with a motion or cycle code of its own does not run under the motion mode.
        ModalState actual = ordered.state();
        if (!read.reliesOnMotion)
            actual.motion = mine.tracker.state().motion;
        if (std::optional<std::string> difference =
                modalDifference(mine.tracker.state(), actual,
                                own.feeds ? MoveKind::Feed : MoveKind::Rapid, own.axisZ)) {
            differ(OrderDifference::Kind::State, &program, line.line, line.text,
                   std::move(*difference), k);
            stateDiffers = true;
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p)
        for (OwnProgram& mine = own[p]; mine.next < programs[p].lines.size(); ++mine.next) {
            const std::string_view skipped = programs[p].lines[mine.next];
            if (!mayBeLeftOut(skipped, mine.reader.read(skipped)))
                differ(OrderDifference::Kind::LineLost, &programs[p], mine.next, skipped, {},
                       lines.size());
        }
}
