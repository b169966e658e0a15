#include "JobList.h"

bool JobList::RegisterJobFile(const std::string& path)
{
    if (count() >= kMaxJobFiles)
        return false;
    m_files.push_back(path);
    return true;
}

void JobList::clear()
{
    m_files.clear();
}

void JobList::remove(int position)
{
    m_files.erase(m_files.begin() + position);
}

void JobList::move(int from, int to)
{
    std::string file = std::move(m_files[std::size_t(from)]);
    m_files.erase(m_files.begin() + from);
    m_files.insert(m_files.begin() + to, std::move(file));
}
