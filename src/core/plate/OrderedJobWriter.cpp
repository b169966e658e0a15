// An ordered job written from its plan, proved line by line as it goes.

#include "OrderedJobWriter.h"

#include <utility>

OrderedJobWriter::OrderedJobWriter(const OrderPlanner& plan, ProgramLines& lines, OrderProof& proof,
                                   Out out)
    : m_plan(plan), m_lines(lines), m_proof(proof), m_out(std::move(out)),
      m_next(plan.programs(), 0)
{}

bool OrderedJobWriter::write()
{
    for (const OrderStep& step : m_plan.steps()) {
        switch (step.kind) {
        case OrderStep::Kind::Around:
            emit({step.text, OrderedLine::Origin::Around});
            break;
        case OrderStep::Kind::Written:
            emit({step.text, OrderedLine::Origin::Written});
            break;
        case OrderStep::Kind::Lines:
            if (!copy(step))
                return false;
            break;
        case OrderStep::Kind::ToolChange:
            if (!toolChange(step))
                return false;
            break;
        }
    }
    // What no step took is read as left out: the proof tells a line lost.
    for (std::size_t program = 0; program < m_plan.programs(); ++program)
        if (!skipTo(program, m_plan.lines(program)))
            return false;
    return true;
}

bool OrderedJobWriter::copy(const OrderStep& step)
{
    if (!skipTo(step.program, step.from))
        return false;
    return m_lines.take(step.program, step.to, [&](const ProgramLine& own) {
        emit({own.text, OrderedLine::Origin::Program, step.program, m_next[step.program]++}, own);
    });
}

bool OrderedJobWriter::toolChange(const OrderStep& step)
{
    if (!skipTo(step.program, step.from))
        return false;
    return m_lines.take(step.program, step.from + 1, [&](const ProgramLine& own) {
        const std::size_t line = m_next[step.program]++;
        if (step.text.empty())
            m_proof.skip(step.program, own, m_at);
        else
            emit({step.text, OrderedLine::Origin::WithoutToolWords, step.program, line}, own);
    });
}

// Reads a program's lines up to line as lines the ordered job does not hold.
bool OrderedJobWriter::skipTo(std::size_t program, std::size_t line)
{
    if (m_next[program] >= line)
        return true;
    return m_lines.take(program, line, [&](const ProgramLine& own) {
        ++m_next[program];
        m_proof.skip(program, own, m_at);
    });
}

void OrderedJobWriter::emit(const OrderedLine& line, const ProgramLine& own)
{
    m_proof.read(line, m_at, own);
    m_out(line);
    ++m_at;
}
