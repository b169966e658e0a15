#pragma once

// Edits of the job after its drops: programs removed, moved, cells and the job cleared, restored.

#include "JobList.h"

#include <vector>

class CSettings;
class JobState;

// Edits of the job after its drops. The cells' entries follow the job, and when its first
// program changes, so do the machine family, output type and tool list it fixes; an emptied job
// fixes none. Positions count from 0; one outside the job changes nothing.
void removeJobFile(int position, JobState& state, CSettings& settings);
void moveJobFile(int from, int to, JobState& state, CSettings& settings);
// Takes the programs of one cell, or of every cell, out of the job.
void clearCell(int cell, JobState& state, CSettings& settings);
void clearJob(JobState& state, CSettings& settings);
// The job as it was before an edit, the family following it.
void restoreJob(const std::vector<JobEntry>& entries, JobState& state, CSettings& settings);
