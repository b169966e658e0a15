#pragma once

// A job ordered by tool written step by step from its plan, its programs' lines taken in their
// order and every line proved as it goes.

#include "OrderPlanner.h"
#include "OrderProof.h"
#include "ToolOrder.h"

#include <cstddef>
#include <functional>
#include <vector>

// The lines of a job's programs as the merge wrote them; each program's are taken in order.
class ProgramLines
{
public:
    using OnLine = std::function<void(const ProgramLine& line)>;

    virtual ~ProgramLines() = default;
    // Gives the program's lines from the next one not yet taken up to line to, exclusive; false
    // when they cannot be had.
    virtual bool take(std::size_t program, std::size_t to, const OnLine& onLine) = 0;
};

// Writes the ordered job as its plan has it: each step's lines handed to out and read by the
// proof, each program's own lines read beside them, the lines no step holds read as left out.
class OrderedJobWriter
{
public:
    using Out = std::function<void(const OrderedLine& line)>;

    OrderedJobWriter(const OrderPlanner& plan, ProgramLines& lines, OrderProof& proof, Out out);

    // False when a program's lines could not be had.
    bool write();

private:
    bool copy(const OrderStep& step);
    bool toolChange(const OrderStep& step);
    bool skipTo(std::size_t program, std::size_t line);
    void emit(const OrderedLine& line, const ProgramLine& own = {});

    const OrderPlanner& m_plan;
    ProgramLines& m_lines;
    OrderProof& m_proof;
    Out m_out;
    std::vector<std::size_t> m_next; // of each program, its next line not taken
    std::size_t m_at = 0;            // lines of the ordered job so far
};
