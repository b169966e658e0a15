#pragma once

#include "JobList.h"

#include <string>
#include <vector>

// What each cell shows: the display entries of its programs, numbered in merge order. A view of
// the job, never kept beside it. Nothing of it is saved.
class CQuorDoc
{
public:
    static constexpr int kMaxCells = 500;

    explicit CQuorDoc(const JobList& job) : m_job(job) {}

    // The entries of one cell: "1. name.NC", ...
    std::vector<std::string> cellEntries(int cell) const;
    bool cellEmpty(int cell) const;

private:
    const JobList& m_job;
};
