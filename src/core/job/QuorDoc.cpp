// What each cell shows: the display entries of its programs, numbered in merge order.

#include "QuorDoc.h"

#include "CellDrop.h"

#include <algorithm>

std::vector<std::string> CQuorDoc::cellEntries(int cell) const
{
    std::vector<std::string> entries;
    for (const std::string& path : m_job.cellFiles(cell))
        entries.push_back(displayEntry(static_cast<int>(entries.size()) + 1, path));
    return entries;
}

bool CQuorDoc::cellEmpty(int cell) const
{
    return std::none_of(m_job.entries().begin(), m_job.entries().end(),
                        [cell](const JobEntry& entry) { return entry.cell == cell; });
}
