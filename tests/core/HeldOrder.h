#pragma once

// Programs held in memory run tool by tool as the merge runs its inputs: the planner, the writer
// and the proof the merge uses, over lines the test holds.

#include "core/plate/ToolOrder.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// One placed ISO program of a job run tool by tool, held in memory: the lines the merge wrote
// for it.
struct OrderProgram
{
    std::size_t input = 0; // among the merge's inputs
    WorkOffset cell;
    std::vector<std::string_view> lines; // as written, without their line ends
    std::vector<std::int64_t> numbers;   // of each line in its input; 0 for one the merge inserted
};

// The ordered program; its lines view the programs' and texts.
struct OrderedJob
{
    JobOrder record;
    std::vector<OrderedLine> lines;
    std::deque<std::string> texts;
};

// Orders programs held in memory tool by tool, as the merge orders its inputs (OrderPlanner):
// what stands before and after the programs (the "%" lines the merge adds) keeps its place. The
// ordered program is proved against the programs: record.differences.
OrderedJob orderByTool(const std::vector<OrderProgram>& programs,
                       const std::vector<std::string>& retract,
                       const std::vector<std::string_view>& before,
                       const std::vector<std::string_view>& after);

// Reads ordered lines again, counting their tool changes, and compares every move with its own
// program at its cell.
void proveOrder(const std::vector<OrderProgram>& programs, const std::vector<OrderedLine>& lines,
                const std::vector<std::string>& retract, JobOrder& record);
