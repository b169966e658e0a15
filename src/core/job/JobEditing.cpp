// Edits of the job after its drops, with what its first program fixes.

#include "JobEditing.h"

#include "CellDrop.h"
#include "JobState.h"

namespace {

bool inJob(int position, const JobState& state)
{
    return position >= 0 && position < state.m_JobFiles.count();
}

std::string firstProgram(const JobState& state)
{
    return state.m_JobFiles.count() > 0 ? state.m_JobFiles.entries().front().path : std::string();
}

// Runs an edit and has the family follow the job's first program.
template <typename Edit> void editJob(JobState& state, CSettings& settings, Edit edit)
{
    const std::string firstBefore = firstProgram(state);
    edit(state.m_JobFiles);
    const std::string first = firstProgram(state);
    if (first.empty())
        state.m_nMachineFamily = -1;
    else if (first != firstBefore || state.m_nMachineFamily < 0)
        fixMachineFamily(first, state, settings);
}

} // namespace

void removeJobFile(int position, JobState& state, CSettings& settings)
{
    if (inJob(position, state))
        editJob(state, settings, [position](JobList& job) { job.remove(position); });
}

void moveJobFile(int from, int to, JobState& state, CSettings& settings)
{
    if (inJob(from, state) && inJob(to, state) && from != to)
        editJob(state, settings, [from, to](JobList& job) { job.move(from, to); });
}

void clearCell(int cell, JobState& state, CSettings& settings)
{
    editJob(state, settings, [cell](JobList& job) { job.clearCell(cell); });
}

void clearJob(JobState& state, CSettings& settings)
{
    editJob(state, settings, [](JobList& job) { job.clear(); });
}

void restoreJob(const std::vector<JobEntry>& entries, JobState& state, CSettings& settings)
{
    editJob(state, settings, [&entries](JobList& job) { job.assign(entries); });
}
