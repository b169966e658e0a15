#pragma once

#include <string>
#include <vector>

class CSettings;
class JobState;

// One file of the job taken out or moved, without emptying the whole job. The cell's numbered
// entries follow the job's order, and when the first file changes, so do the machine family,
// output type and tool list it fixes; an emptied job fixes none. Positions count from 0; one
// outside the job changes nothing.
void removeJobFile(int position, int cell, JobState& state, CSettings& settings);
void moveJobFile(int from, int to, int cell, JobState& state, CSettings& settings);
// The job as it was before an edit, its cell and family following it.
void restoreJob(const std::vector<std::string>& files, int cell, JobState& state,
                CSettings& settings);
