#include "JobEditing.h"

#include "CellDrop.h"
#include "JobState.h"

namespace {

bool inJob(int position, const JobState& state)
{
    return position >= 0 && position < state.m_JobFiles.count();
}

void followTheJob(int cell, const std::string& firstBefore, JobState& state, CSettings& settings)
{
    std::vector<std::string>& entries = state.document().GetCellFiles().at(cell);
    entries.clear();
    const std::vector<std::string>& files = state.m_JobFiles.files();
    for (std::size_t i = 0; i < files.size(); ++i)
        entries.push_back(displayEntry(static_cast<int>(i) + 1, files[i]));
    if (files.empty())
        state.m_nMachineFamily = -1;
    else if (files.front() != firstBefore)
        fixMachineFamily(files.front(), state, settings);
}

} // namespace

void removeJobFile(int position, int cell, JobState& state, CSettings& settings)
{
    if (!inJob(position, state))
        return;
    const std::string first = state.m_JobFiles.files().front();
    state.m_JobFiles.remove(position);
    followTheJob(cell, first, state, settings);
}

void restoreJob(const std::vector<std::string>& files, int cell, JobState& state,
                CSettings& settings)
{
    state.m_JobFiles.clear();
    for (const std::string& file : files)
        state.m_JobFiles.RegisterJobFile(file);
    followTheJob(cell, {}, state, settings);
}

void moveJobFile(int from, int to, int cell, JobState& state, CSettings& settings)
{
    if (!inJob(from, state) || !inJob(to, state) || from == to)
        return;
    const std::string first = state.m_JobFiles.files().front();
    state.m_JobFiles.move(from, to);
    followTheJob(cell, first, state, settings);
}
