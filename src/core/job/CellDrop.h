#pragma once

// Dropping files on a cell: which are added to the job and which are refused, and why.

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
    std::vector<std::string> otherFamily;    // files of another machine family than the job's
    int overCapacity = 0;                    // files refused because the job list was full
};

// Takes the dropped files into the job at a cell (0 to CQuorDoc::kMaxCells - 1), after the
// entries of the cells up to it. A cell holds one extension, set by its first entry, and the
// job one machine family, set by its first program, which also fixes the output type and tool
// list.
CellDropOutcome dropFilesOnCell(const std::vector<std::string>& paths, int cell, JobState& state,
                                CSettings& settings);

// Sets the machine family, output type and tool list that a job's first file fixes.
void fixMachineFamily(const std::string& firstFile, JobState& state, CSettings& settings);
// The machine family of a program by its extension: 0 for FANUC (".NC"), 1 for the rest.
int machineFamilyOf(const std::string& path);

// "3. name.EXT": position, base name and upper-cased extension.
std::string displayEntry(int position, const std::string& path);
// The entries one per line.
std::string cellText(const std::vector<std::string>& entries);
