#pragma once

#include "ToolEntry.h"
#include "ToolListFile.h"
#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"
#include "core/tools/ToolUsage.h"

#include <string>
#include <vector>

// The machine's tool list a job is checked against, as read.
struct JobToolList
{
    std::string path;
    ToolListReadResult list;
};

// Reads the list at path whole: the tool dialog's bound of 500 is no bound of a machine's list.
JobToolList readJobToolList(const std::string& path);

// The values of a list's tool that the checks read, each when set and a number.
struct ListedTool
{
    const ToolEntry* entry = nullptr;
    std::optional<double> spindle;
    std::optional<double> feed;
    std::optional<double> coolant; // 7 or 8
    std::optional<double> lengthDelta;
    bool notMeasured = false;
};

// The list's entry for a tool: by number where the program calls one ("T01" is tool 1), by name
// otherwise; the first of equals.
std::optional<ListedTool> findListedTool(const std::vector<ToolEntry>& list, const ToolUsage& tool);

// What the copied inputs' tools do that the list does not hold: a tool it lacks is an error, a
// value other than a set one of the list a warning; a list that cannot be read is an error.
// Where the list's speeds were applied, the speeds they replaced are no finding.
std::vector<SeamFinding> checkToolsAgainstList(const MergeReport& report,
                                               const JobToolList& toolList, bool applied);
// The same as a check of a plan; the list is kept with it.
PlanCheck toolListCheck(JobToolList toolList, bool applied);

// Plans the merge once for its tools' main cutting feeds and gives the request, which then
// reads tools, the list's speeds; the writing must find the inputs as this plan read them.
MergeReport planToolSpeeds(MergeRequest& request, const JobToolList& toolList);

// What applying the list makes of each input's tool speeds, by input: its spindle, and its feed
// in place of the tool's main cutting feed; nothing of a row read shifted.
std::vector<ToolSpeeds> toolSpeedsFromList(const MergeReport& plan, const ToolListReadResult& list);
