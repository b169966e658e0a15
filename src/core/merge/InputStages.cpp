// The line stages of one input, set up as the request asks, and a kept line passed through them.

#include "InputStages.h"

#include <algorithm>

InputStages::InputStages(const MergeRequest& request, std::size_t input, InputRecord& record,
                         NcLineReader& reader, LineStage* last)
{
    const bool heidenhain = reader.dialect() == NcLineReader::Dialect::Heidenhain;
    if (input < request.cells.size() && request.cells[input]) {
        const MergeRequest::Cell& cell = *request.cells[input];
        record.placement = InputPlacement{
            .cell = cell.offset, .firstCell = cell.first, .rewrite = request.rewriteOffsets};
        // A Heidenhain program keeps its own datum.
        if (!heidenhain)
            m_stages.push_back(&m_placement.emplace(*record.placement));
    }
    if (request.readTools) {
        const bool changes =
            input < request.toolSpeeds.size() && !request.toolSpeeds[input].empty();
        m_stages.push_back(&m_tools.emplace(
            record.tools.emplace(), changes ? &request.toolSpeeds[input] : nullptr, heidenhain));
        reader.keepWords(true);
        reader.keepAxisWords(true); // the main feed is the one of the longest path
    }
    if (last)
        m_stages.push_back(last);
    if (m_stages.size() > 1) {
        m_rereader.emplace(reader.dialect());
        m_rereader->keepWords(true);
        m_rereader->keepAxisWords(true);
    }
}

bool InputStages::readsEveryLine() const
{
    return std::any_of(m_stages.begin(), m_stages.end(),
                       [](const LineStage* stage) { return stage->readsEveryLine(); });
}

bool InputStages::notesOffsets() const
{
    return std::any_of(m_stages.begin(), m_stages.end(),
                       [](const LineStage* stage) { return stage->notesOffsets(); });
}

LineRewrite InputStages::pass(std::int64_t number, std::string_view text, const NcLineFacts& facts)
{
    LineRewrite changes;
    for (LineStage* stage : m_stages) {
        if (changes.rewritten)
            m_reread = m_rereader->read(*changes.rewritten);
        stage->pass(changes.rewritten ? WayLine{number, *changes.rewritten, m_reread}
                                      : WayLine{number, text, facts},
                    changes);
    }
    return changes;
}

void InputStages::streamed(std::int64_t number, std::string_view text, const NcLineFacts& facts,
                           bool whole)
{
    for (LineStage* stage : m_stages)
        stage->streamed({number, text, facts}, whole);
}
