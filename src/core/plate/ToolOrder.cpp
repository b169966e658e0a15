// A job run tool by tool, for programs held in memory: the order planned, written and proved
// as the merge does it; and the rules its lines follow.

#include "ToolOrder.h"

#include "OrderPlanner.h"
#include "OrderProof.h"
#include "OrderedJobWriter.h"
#include "core/nc/LineStage.h"

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::vector<ProgramAt> programsAt(const std::vector<OrderProgram>& programs)
{
    std::vector<ProgramAt> at;
    for (const OrderProgram& program : programs)
        at.push_back({program.input, program.cell});
    return at;
}

// The lines of programs held in memory.
class HeldLines : public ProgramLines
{
public:
    explicit HeldLines(const std::vector<OrderProgram>& programs)
        : m_programs(programs), m_next(programs.size(), 0)
    {}

    bool take(std::size_t program, std::size_t to, const OnLine& onLine) override
    {
        const OrderProgram& held = m_programs[program];
        for (std::size_t& next = m_next[program]; next < std::min(to, held.lines.size()); ++next)
            onLine({held.lines[next], held.numbers[next]});
        return true;
    }

private:
    const std::vector<OrderProgram>& m_programs;
    std::vector<std::size_t> m_next;
};

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
    case JobOrder::Given::LineTooLong:
        return "line-too-long";
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
    OrderPlanner planner;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        planner.beginProgram(programs[p].input, programs[p].cell);
        for (std::size_t i = 0; i < programs[p].lines.size(); ++i)
            if (!planner.line(programs[p].lines[i], programs[p].numbers[i]))
                break;
        planner.endProgram(p + 1 == programs.size());
    }
    planner.plan(retract, {before.begin(), before.end()}, {after.begin(), after.end()});
    OrderedJob job;
    job.record = std::move(planner.record());
    if (job.record.given != JobOrder::Given::No)
        return job;
    HeldLines lines(programs);
    OrderProof proof(programsAt(programs), retract, job.record);
    OrderedJobWriter writer(planner, lines, proof, [&](const OrderedLine& line) {
        OrderedLine held = line;
        if (line.origin != OrderedLine::Origin::Program) {
            job.texts.emplace_back(line.text);
            held.text = job.texts.back();
        }
        job.lines.push_back(held);
    });
    writer.write();
    return job;
}

void proveOrder(const std::vector<OrderProgram>& programs, const std::vector<OrderedLine>& lines,
                const std::vector<std::string>& retract, JobOrder& record)
{
    OrderProof proof(programsAt(programs), retract, record);
    std::vector<std::size_t> next(programs.size(), 0);
    const auto skipTo = [&](std::size_t p, std::size_t to, std::size_t at) {
        for (; next[p] < to; ++next[p])
            proof.skip(p, {programs[p].lines[next[p]], programs[p].numbers[next[p]]}, at);
    };
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const OrderedLine& line = lines[at];
        const bool ofProgram = line.origin == OrderedLine::Origin::Program ||
                               line.origin == OrderedLine::Origin::WithoutToolWords;
        if (!ofProgram || line.program >= programs.size()) {
            proof.read(line, at);
            continue;
        }
        const OrderProgram& program = programs[line.program];
        if (line.line < next[line.program] || line.line >= program.lines.size()) {
            proof.readOutOfOrder(
                line, at, line.line < program.numbers.size() ? program.numbers[line.line] : 0);
            continue;
        }
        skipTo(line.program, line.line, at);
        ++next[line.program];
        proof.read(line, at, {program.lines[line.line], program.numbers[line.line]});
    }
    for (std::size_t p = 0; p < programs.size(); ++p)
        skipTo(p, programs[p].lines.size(), lines.size());
}
