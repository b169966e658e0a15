#pragma once

#include "core/merge/NcMerge.h"

#include <QString>

#include <string>

// What one Convert merges, where to, and what follows, taken when it starts: the settings and
// the job may change while it runs without changing what it writes.
struct ConvertRequest
{
    MergeRequest merge;         // the inputs, the cuts and the "%" lines
    std::string toolList;       // the machine's tool list the tools are checked against
    bool applyToolList = false; // its spindles and feeds written over the programs'
    std::string output;
    bool skipCleanPreview = false;
    QString editor; // opens the output; none when empty
    bool openFolder = false;
};
