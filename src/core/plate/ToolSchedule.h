#pragma once

// The order the segments of a job run in: tool runs with the fewest tool changes.

#include "ProgramSplitter.h"
#include "core/nc/WorkOffset.h"

#include <cstdint>
#include <vector>

// Segments in tool runs: each cell's segments in their order, the tools in the sequence that
// needs the fewest changes. cells: of each program. least: no order has fewer tool runs.
std::vector<const Segment*> scheduleSegments(const std::vector<WorkOffset>& cells,
                                             const std::vector<SplitProgram>& splits,
                                             std::int64_t& least);
