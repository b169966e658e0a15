#pragma once

#include <string>
#include <vector>

// One program of the job and the cell it was dropped on: it runs at that cell's work offset.
struct JobEntry
{
    std::string path;
    int cell = 0;

    bool operator==(const JobEntry&) const = default;
};

// The job: its programs in merge order, each with its cell. By default the order runs cell by
// cell, in drop order within a cell; the operator may reorder it.
class JobList
{
public:
    static constexpr int kMaxJobFiles = 1000;

    // Adds the path after the last entry of any cell up to this one; refuses it, changing
    // nothing, when the list is full.
    bool RegisterJobFile(const std::string& path, int cell = 0);
    void clear();
    // Takes every entry of the cell out.
    void clearCell(int cell);
    void remove(int position);
    void move(int from, int to);
    void assign(std::vector<JobEntry> entries);

    const std::vector<JobEntry>& entries() const { return m_entries; }
    // The paths in merge order.
    std::vector<std::string> files() const;
    // The paths of one cell, in merge order.
    std::vector<std::string> cellFiles(int cell) const;
    int count() const { return static_cast<int>(m_entries.size()); }
    int freePlaces() const { return kMaxJobFiles - count(); }

private:
    std::vector<JobEntry> m_entries;
};
