// The merged program held in memory and run tool by tool before it is written.

#include "OrderedOutput.h"

#include <algorithm>

std::vector<std::string_view> OrderedOutput::lines() const
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < m_bytes.size();) {
        // Every line the merge writes ends with CR LF.
        const std::size_t lf = std::min(m_bytes.find('\n', at), m_bytes.size());
        const std::size_t end = lf > at && m_bytes[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(std::string_view(m_bytes).substr(at, end - at));
        at = lf + 1;
    }
    return lines;
}

std::string OrderedOutput::order(MergeReport& report, const std::vector<std::string>& retract) const
{
    JobOrder& record = report.order.emplace();
    // Only placed ISO programs can be restarted at their cell.
    for (std::size_t i = 0; i < report.inputs.size(); ++i) {
        const InputRecord& input = report.inputs[i];
        if (input.outcome != InputRecord::Outcome::Copied)
            continue;
        record.input = i;
        if (input.dialect == NcLineReader::Dialect::Heidenhain)
            record.given = JobOrder::Given::Heidenhain;
        else if (!input.placement)
            record.given = JobOrder::Given::NotPlaced;
        if (record.given != JobOrder::Given::No)
            return m_bytes;
    }
    const std::vector<std::string_view> lines = this->lines();
    std::vector<OrderProgram> programs;
    const std::size_t firstProgramLine = report.percentAddedAtStart ? 1 : 0;
    std::size_t next = firstProgramLine;
    for (std::size_t i = 0; i < report.inputs.size(); ++i) {
        const InputRecord& input = report.inputs[i];
        if (input.outcome != InputRecord::Outcome::Copied)
            continue;
        const std::vector<std::int64_t>& numbers = m_writtenLines[i];
        const std::size_t count = std::min(numbers.size(), lines.size() - next);
        const auto first = lines.begin() + std::ptrdiff_t(next);
        programs.push_back(
            {i, input.placement->cell, {first, first + std::ptrdiff_t(count)}, numbers});
        next += count;
    }
    const std::vector<std::string_view> before(lines.begin(),
                                               lines.begin() + std::ptrdiff_t(firstProgramLine));
    const std::vector<std::string_view> after(lines.begin() + std::ptrdiff_t(next), lines.end());
    OrderedJob job = orderByTool(programs, retract, before, after);
    record = std::move(job.record);
    if (record.given != JobOrder::Given::No)
        return m_bytes;
    std::string ordered;
    ordered.reserve(m_bytes.size() + m_bytes.size() / 8);
    for (const OrderedLine& line : job.lines) {
        ordered.append(line.text);
        ordered.append("\r\n");
    }
    return ordered;
}
