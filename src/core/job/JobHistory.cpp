// The job's earlier states, for undoing its edits.

#include "JobHistory.h"

void JobHistory::changed(const std::vector<JobEntry>& entries)
{
    if (entries == m_current)
        return;
    m_earlier.push_back(std::move(m_current));
    if (m_earlier.size() > kMaxStates)
        m_earlier.pop_front();
    m_current = entries;
}

std::optional<std::vector<JobEntry>> JobHistory::undo()
{
    if (m_earlier.empty())
        return std::nullopt;
    m_current = std::move(m_earlier.back());
    m_earlier.pop_back();
    return m_current;
}
