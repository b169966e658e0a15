#pragma once

#include <string>
#include <vector>

// Full paths of the NC files to merge, in the order they were dropped.
class JobList
{
public:
    static constexpr int kMaxJobFiles = 1000;

    // Appends the path; refuses it, changing nothing, when the list is full.
    bool RegisterJobFile(const std::string& path);
    void clear();
    void remove(int position);
    void move(int from, int to);

    const std::vector<std::string>& files() const { return m_files; }
    int count() const { return static_cast<int>(m_files.size()); }
    int freePlaces() const { return kMaxJobFiles - count(); }

private:
    std::vector<std::string> m_files;
};
