#pragma once

#include "ToolEntry.h"
#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"
#include "core/os/FileError.h"

#include <functional>
#include <string>
#include <vector>

// One tool of a job as the sheet shows it: where it runs, what the programs and the list say of
// its speeds, and what the checks found.
struct ToolSheetRow
{
    std::string tool;                  // its number as a value, or a Heidenhain name
    std::string description;           // the list's tool info, as the list holds it
    std::vector<std::string> cells;    // the cells it runs at, or the programs' names unplaced
    std::vector<std::string> spindles; // S of the programs, each value once
    std::string listSpindle;
    std::vector<std::string> mainFeeds; // the programs' main cutting feeds, each value once
    std::string listFeed;
    std::vector<SeamFinding> findings; // each rule and detail once
};

// A row a tool, in the order the job first calls them; list is null when there is none.
std::vector<ToolSheetRow> makeToolSheet(const MergeReport& plan, const std::vector<ToolEntry>* list,
                                        const std::vector<SeamFinding>& findings);

// The sheet as comma-separated values under a line of headers, one per column, rows ending with
// CR LF; a field that a spreadsheet would take for a formula is written as text.
std::string toolSheetCsv(const std::vector<ToolSheetRow>& rows,
                         const std::vector<std::string>& headers,
                         const std::function<std::string(const SeamFinding&)>& findingText);

// Replaces the file at path with bytes, whole or not at all; false with error set.
bool writeToolSheet(const std::string& path, const std::string& bytes, FileError& error);
