#pragma once

// A job's programs read line by line as the merge writes them, and their order by tool planned.

#include "ProgramSplitter.h"
#include "RestartBlock.h"
#include "ToolOrder.h"
#include "core/nc/WorkOffset.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One step of an ordered job: a line it writes, or lines of a program it copies.
struct OrderStep
{
    enum class Kind
    {
        Around,     // a line the merge writes before or after the programs: "%"
        Written,    // a line the order writes: restart block, a tool called
        Lines,      // a program's lines [from, to), as they stand
        ToolChange, // a program's tool change line from, as text: without its tool words, or
                    // left out where text is empty
    };
    Kind kind = Kind::Written;
    std::size_t program = 0;
    std::size_t from = 0;
    std::size_t to = 0;
    std::string text;
};

// Reads the programs of a job one after another, each split at its tool changes as its lines
// pass, and plans them tool by tool: each cell's segments kept in their order, a restart block
// before each segment that does not follow its own program's previous one, the last program's
// end kept last. Only the segments are held, never the programs' lines. Where a program cannot
// be restarted safely the given order is kept, and said why.
class OrderPlanner
{
public:
    void beginProgram(std::size_t input, const WorkOffset& cell);
    // The program's next line, as written; false once the job keeps its given order.
    bool line(std::string_view text, std::int64_t number);
    // The given order is kept for why, at line of the program being read.
    void refuse(JobOrder::Given why, std::optional<NotedLine> line);
    // After its last line; last: the job's last program.
    void endProgram(bool last);

    // Plans the order of the programs read, with before and after around them, into the
    // record; its steps are empty where the given order is kept.
    void plan(const std::vector<std::string>& retract, const std::vector<std::string>& before,
              const std::vector<std::string>& after);

    JobOrder& record() { return m_record; }
    const std::vector<OrderStep>& steps() const { return m_steps; }
    std::size_t programs() const { return m_splits.size(); }
    std::size_t input(std::size_t program) const { return m_inputs[program]; }
    const WorkOffset& cell(std::size_t program) const { return m_cells[program]; }
    std::size_t lines(std::size_t program) const { return m_splits[program].lines; }

private:
    void keepGiven(std::size_t input, Refusal refusal);
    bool refusedAcrossPrograms();
    void planSegment(const Segment& segment, bool restart, const std::vector<std::string>& retract,
                     std::optional<std::int64_t>& tool);
    void noteSegment(const Segment& segment, bool restarted, std::size_t firstStep);
    void written(OrderStep::Kind kind, std::string text);
    void lines(std::size_t program, std::size_t from, std::size_t to);

    JobOrder m_record;
    std::vector<std::size_t> m_inputs;
    std::vector<WorkOffset> m_cells;
    std::vector<SplitProgram> m_splits;
    std::optional<ProgramSplitter> m_splitter; // of the program being read
    // Why the given order is kept, of the first program that says so.
    std::optional<std::pair<std::size_t, Refusal>> m_refusal;
    JobGroups m_groups;
    std::vector<OrderStep> m_steps;
};
