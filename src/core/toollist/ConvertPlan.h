#pragma once

#include "ToolListCheck.h"
#include "ToolSheet.h"
#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"

#include <string>
#include <vector>

// A job's Convert planned, all that is shown before anything is written: the merge read with
// the machine's tool list, its seams and tools checked, what applying the list makes of the
// speeds, and the job's tools as a sheet.
struct ConvertPlan
{
    CheckedPlan checked;
    JobToolList toolList;
    std::vector<ToolSpeeds> toolSpeeds; // by input, where the list is applied
    std::vector<ToolSheetRow> toolSheet;

    // Plans request with the list at toolListPath; applying it, a first plan finds the speeds.
    static ConvertPlan make(MergeRequest request, const std::string& toolListPath, bool apply);
    // The request that writes the merge as planned, with the list's speeds: it fails where an
    // input is no longer as the plan read it. The plan must outlive it.
    MergeRequest writing(MergeRequest request) const;
};
