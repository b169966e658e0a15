#pragma once

#include "JobList.h"
#include "QuorDoc.h"
#include "core/toollist/ToolEntry.h"
#include "core/toollist/ToolListFile.h"

#include <string>
#include <vector>

// What one run of the program works on: the job of dropped NC files, the machine family its
// first file fixed, the current tool list and its tools, and the cells' entries. Every feature
// takes this state; nothing of it is saved.
class JobState
{
public:
    JobState() = default;
    JobState(const JobState&) = delete; // the document reads this state's job
    JobState& operator=(const JobState&) = delete;

    static constexpr int kMaxTools = 500;

    // Reads the current tool list into the tool table. A list that cannot be read leaves the
    // table as it was; the result says why, for the caller to report.
    ToolListReadResult LoadToolList();
    std::string toolListPath(const std::string& name) const;
    // The tool list files of the tool list folder, sorted by name: directory order differs from
    // one file system to the next.
    std::vector<std::string> toolListFiles() const;

    CQuorDoc& document() { return m_document; }
    const CQuorDoc& document() const { return m_document; }

    std::string m_strExeFolder;         // folder of the executable, without a trailing separator
    std::string m_strToolListFolder;    // where tool lists live: the program folder when writable
    std::string m_strToolListName;      // current tool list file, relative to m_strToolListFolder
    std::vector<ToolEntry> m_ToolTable; // the current list's tools, at most kMaxTools
    JobList m_JobFiles;
    int m_nMachineFamily = -1; // -1 none yet, 0 FANUC, 1 Heidenhain or any other

private:
    CQuorDoc m_document{m_JobFiles};
};
