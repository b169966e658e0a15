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
