#pragma once

#include <string>
#include <vector>

class CSettings;
class JobState;

// What a drop did, for the view to show.
struct CellDropOutcome
{
    int taken = 0;
    std::vector<std::string> notFiles;       // missing paths and folders, in drop order
    std::vector<std::string> otherExtension; // files whose extension the cell does not hold
    int overCapacity = 0;                    // files refused because the job list was full
};

// Takes the dropped files into the entry list of a cell (0 to CQuorDoc::kMaxCells - 1) and the
// job list. A cell holds one extension, set by its first entry. The first file of a drop fixes
// the machine family, output type and tool list while no family is set; a drop that takes
// nothing unsets the family.
CellDropOutcome dropFilesOnCell(const std::vector<std::string>& paths, int cell, JobState& state,
                                CSettings& settings);

// Sets the machine family, output type and tool list that a job's first file fixes.
void fixMachineFamily(const std::string& firstFile, JobState& state, CSettings& settings);

// "3. name.EXT": position, base name and upper-cased extension.
std::string displayEntry(int position, const std::string& path);
// The entries one per line.
std::string cellText(const std::vector<std::string>& entries);
