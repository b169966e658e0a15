#pragma once

#include "JobList.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// The job's earlier states, so that its edits can be undone one by one: told each state the
// job reaches, it keeps the ones before, a bounded number of them.
class JobHistory
{
public:
    static constexpr std::size_t kMaxStates = 100;

    // The job as it is now, after an edit; the state before it becomes undoable.
    void changed(const std::vector<JobEntry>& entries);
    // The state before the last edit, which becomes the current one; nothing when there is none.
    std::optional<std::vector<JobEntry>> undo();

private:
    std::vector<JobEntry> m_current;
    std::deque<std::vector<JobEntry>> m_earlier;
};
