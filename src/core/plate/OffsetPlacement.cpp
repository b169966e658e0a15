// The placement stage: a cell's work offset put into the lines of its program.

#include "OffsetPlacement.h"

#include <algorithm>

namespace {

std::string bounded(std::string_view text)
{
    return std::string(text.substr(0, kMaxNotedTextBytes));
}

} // namespace

void OffsetPlacement::pass(const WayLine& line, LineRewrite& rewrite)
{
    const std::string_view text = line.text;
    const NcLineFacts& facts = line.facts;
    const bool selects = !facts.offsets.empty();
    if (selects || facts.has(NcLineFacts::OffsetShift))
        note(line.number, text, facts, true);
    if (!m_record.rewrite)
        return;
    if (selects) {
        m_settled = true;
        std::string written;
        std::size_t from = 0;
        for (const NcLineFacts::OffsetSelection& selection : facts.offsets) {
            // One the placement cannot name stays as it is: the checks report it.
            if (!selection.offset || *selection.offset == m_record.cell)
                continue;
            written.append(text.substr(from, selection.begin - from));
            written += m_record.cell.name();
            from = selection.end;
        }
        if (from == 0)
            return;
        written.append(text.substr(from));
        change(line.number, bounded(text), bounded(written));
        rewrite.rewritten = std::move(written);
    } else if (!m_settled && facts.has(NcLineFacts::AxisMove)) {
        m_settled = true;
        rewrite.inserted = m_record.cell.name();
        change(line.number, {}, rewrite.inserted);
    }
}

void OffsetPlacement::streamed(const WayLine& line, bool)
{
    const NcLineFacts& facts = line.facts;
    const bool selects = !facts.offsets.empty();
    const bool differs = std::any_of(facts.offsets.begin(), facts.offsets.end(),
                                     [this](const NcLineFacts::OffsetSelection& selection) {
                                         return selection.offset != m_record.cell;
                                     });
    const bool needed =
        m_record.rewrite && (differs || (!m_settled && facts.has(NcLineFacts::AxisMove)));
    if (selects || facts.has(NcLineFacts::OffsetShift) || needed)
        note(line.number, line.text, facts, !needed);
    m_settled = m_settled || selects || facts.has(NcLineFacts::AxisMove);
}

void OffsetPlacement::note(std::int64_t number, std::string_view text, const NcLineFacts& facts,
                           bool placed)
{
    const bool shift = facts.has(NcLineFacts::OffsetShift);
    bool reported = !placed || shift;
    for (const NcLineFacts::OffsetSelection& selection : facts.offsets) {
        if (!selection.offset) {
            reported = true;
            continue;
        }
        if (!m_record.firstSelected)
            m_record.firstSelected = selection.offset;
        reported = reported || *selection.offset != *m_record.firstSelected ||
                   (!m_record.rewrite && *selection.offset != m_record.cell);
    }
    if (!reported)
        return;
    if (m_record.lines.size() < InputPlacement::kMaxListed)
        m_record.lines.push_back({number, bounded(text), facts.offsets, shift, placed});
    else
        m_record.notAllListed = true;
}

void OffsetPlacement::change(std::int64_t number, std::string before, std::string after)
{
    ++m_record.changeCount;
    if (m_record.changes.size() < InputPlacement::kMaxListed)
        m_record.changes.push_back({number, std::move(before), std::move(after)});
    else
        m_record.notAllListed = true;
}
