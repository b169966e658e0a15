// Programs held in memory run tool by tool through the merge's own planner, writer and proof.

#include "HeldOrder.h"

#include "core/plate/OrderPlanner.h"
#include "core/plate/OrderProof.h"
#include "core/plate/OrderedJobWriter.h"

#include <algorithm>

namespace {

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
