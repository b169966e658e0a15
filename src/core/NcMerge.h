#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct FileProblem
{
    std::string path;
    std::string reason;
};

// What a merge did. The merge itself shows nothing; callers turn this into messages.
struct MergeReport
{
    enum class Status
    {
        Written,            // the output holds the copied files (possibly none)
        Cancelled,          // stopped on request; no output was written
        OutputFolderFailed, // the missing output folder could not be created
        OutputFailed,       // the output could not be written; it is left as it was
        InputFailed,        // an input failed while being copied; the output is left as it was
    };

    Status status = Status::Written;
    FileProblem failure;                      // what failed, for the failure statuses
    std::vector<std::string> shortFiles;      // too few content lines for the trimming; left out
    std::vector<FileProblem> unreadableFiles; // could not be opened or read; left out
    int copiedFiles = 0;
};

// Told the bytes read so far and the bytes to read in all; returns false to cancel.
using MergeProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Merges the inputs, in order, into one program at outputPath: blank lines are dropped, delUp
// lines are cut from the top of every copied file but the first and delBtm content lines from
// the bottom of every copied file but the last. A file with no more content lines than
// delUp + delBtm is short and left out. Every written line ends with CR LF. The output is
// replaced only when the whole merge succeeded.
MergeReport MergeNcFiles(const std::vector<std::string>& inputs, const std::string& outputPath,
                         int delUp, int delBtm, const MergeProgress& progress = {});
