// The job: its programs in merge order, each with the cell it was dropped on.

#include "JobList.h"

#include <algorithm>

bool JobList::RegisterJobFile(const std::string& path, int cell)
{
    if (count() >= kMaxJobFiles)
        return false;
    const auto after = std::find_if(m_entries.rbegin(), m_entries.rend(),
                                    [cell](const JobEntry& entry) { return entry.cell <= cell; });
    m_entries.insert(after.base(), {path, cell});
    return true;
}

void JobList::clear()
{
    m_entries.clear();
}

void JobList::clearCell(int cell)
{
    std::erase_if(m_entries, [cell](const JobEntry& entry) { return entry.cell == cell; });
}

void JobList::remove(int position)
{
    m_entries.erase(m_entries.begin() + position);
}

void JobList::move(int from, int to)
{
    JobEntry entry = std::move(m_entries[std::size_t(from)]);
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, std::move(entry));
}

void JobList::assign(std::vector<JobEntry> entries)
{
    if (entries.size() > std::size_t(kMaxJobFiles))
        entries.resize(std::size_t(kMaxJobFiles));
    m_entries = std::move(entries);
}

std::vector<std::string> JobList::files() const
{
    std::vector<std::string> files;
    files.reserve(m_entries.size());
    for (const JobEntry& entry : m_entries)
        files.push_back(entry.path);
    return files;
}

std::vector<std::string> JobList::cellFiles(int cell) const
{
    std::vector<std::string> files;
    for (const JobEntry& entry : m_entries)
        if (entry.cell == cell)
            files.push_back(entry.path);
    return files;
}
