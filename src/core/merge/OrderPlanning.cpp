// A merge's order by tool planned from its inputs' written lines as the copy passes them on.

#include "OrderPlanning.h"

#include <functional>

std::uint64_t withLine(std::uint64_t digest, std::string_view line)
{
    const std::uint64_t hash = std::hash<std::string_view>{}(line);
    return digest ^ (hash + 0x9e3779b97f4a7c15u + (digest << 6) + (digest >> 2));
}

void OrderPlanning::Feed::pass(const WayLine& line, LineRewrite& rewrite)
{
    if (!rewrite.inserted.empty())
        add(rewrite.inserted, 0);
    add(line.text, line.number);
}

void OrderPlanning::Feed::streamed(const WayLine& line, bool whole)
{
    m_planned.streamed.push_back(line.number);
    if (whole) {
        add(line.text, line.number);
        return;
    }
    // Its text was not held whole: it can be neither read nor restarted after.
    m_planner.refuse(JobOrder::Given::LineTooLong,
                     NotedLine{line.number, std::string(line.text.substr(0, kMaxNotedTextBytes))});
    m_refused = true;
}

void OrderPlanning::Feed::add(std::string_view text, std::int64_t number)
{
    m_planned.digest = withLine(m_planned.digest, text);
    if (!m_refused)
        m_refused = !m_planner.line(text, number);
}

LineStage* OrderPlanning::begin(std::size_t input, NcLineReader::Dialect dialect)
{
    m_feed.reset();
    const bool placed = input < m_request.cells.size() && m_request.cells[input];
    if (!placed || dialect == NcLineReader::Dialect::Heidenhain)
        return nullptr;
    m_planner.beginProgram(input, m_request.cells[input]->offset);
    m_planned.push_back({.input = input, .dialect = dialect});
    return &m_feed.emplace(m_planner, m_planned.back());
}

void OrderPlanning::end(const KeptRegion& region, bool last)
{
    if (!m_feed)
        return;
    m_planned.back().region = region;
    m_planner.endProgram(last);
    m_feed.reset();
}

JobOrder OrderPlanning::plan(const MergeReport& report)
{
    // Only placed ISO programs can be restarted at their cell.
    for (std::size_t i = 0; i < report.inputs.size(); ++i) {
        const InputRecord& input = report.inputs[i];
        if (input.outcome != InputRecord::Outcome::Copied)
            continue;
        if (input.dialect == NcLineReader::Dialect::Heidenhain)
            return JobOrder{.given = JobOrder::Given::Heidenhain, .input = i};
        if (!input.placement)
            return JobOrder{.given = JobOrder::Given::NotPlaced, .input = i};
    }
    const std::vector<std::string> percent{"%"};
    m_planner.plan(m_request.retract,
                   report.percentAddedAtStart ? percent : std::vector<std::string>{},
                   report.percentAddedAtEnd ? percent : std::vector<std::string>{});
    return m_planner.record();
}
