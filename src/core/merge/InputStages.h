#pragma once

#include "NcMerge.h"
#include "core/nc/LineStage.h"
#include "core/plate/OffsetPlacement.h"
#include "core/tools/ToolUsage.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The stages one input's kept lines pass through, as the request asks, in their order: its
// cell's work offset put in, its tools read and their speeds changed, and a stage of the
// caller's that sees each line as written (order by tool plans from them). The one place in
// the merge that names them.
class InputStages
{
public:
    // last: the stage after every other, or none.
    InputStages(const MergeRequest& request, std::size_t input, InputRecord& record,
                NcLineReader& reader, LineStage* last);
    InputStages(const InputStages&) = delete;
    InputStages& operator=(const InputStages&) = delete;

    bool empty() const { return m_stages.empty(); }
    bool readsEveryLine() const;
    bool notesOffsets() const;
    // Passes a kept line read word by word through every stage: each reads the words where
    // they stand in the line as the ones before it wrote it.
    LineRewrite pass(std::int64_t number, std::string_view text, const NcLineFacts& facts);
    // A kept line too long to be held, written as it streamed in. whole: read whole.
    void streamed(std::int64_t number, std::string_view text, const NcLineFacts& facts, bool whole);

private:
    std::optional<OffsetPlacement> m_placement;
    std::optional<ToolUsageReader> m_tools;
    std::vector<LineStage*> m_stages;
    // Reads a line as a stage rewrote it, for the stages after it.
    std::optional<NcLineReader> m_rereader;
    NcLineFacts m_reread; // kept here: a line's facts are too large to set up for every line
};
