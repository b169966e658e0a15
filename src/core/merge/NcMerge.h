#pragma once

// The merge of NC programs: its request, its record of every input, its entry points.

#include "InputFile.h"
#include "core/nc/LineStage.h"
#include "core/nc/NcLineReader.h"
#include "core/plate/OffsetPlacement.h"
#include "core/plate/ToolOrder.h"
#include "core/tools/ToolUsage.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class OutputSink;

struct FileProblem
{
    std::string path;
    FileError error;
};

// One line of an input, by its 1-based number. The text is without its line end and holds at
// most kMaxTextBytes bytes of a longer line; the facts were read from the whole line.
struct NumberedLine
{
    static constexpr std::size_t kMaxTextBytes = kMaxNotedTextBytes;

    std::int64_t number = 0;
    std::string text;
    bool truncated = false;
    NcLineFacts facts{};
};

// The first byte of an input that no NC program holds.
struct ControlByteFound
{
    std::uint64_t offset = 0; // in the file, from 0
    std::int64_t line = 0;
    unsigned char byte = 0;
};

// What the merge did with one input.
struct InputRecord
{
    enum class Outcome
    {
        Copied,
        Short,          // no more content lines than the two cuts together: left out
        Unreadable,     // could not be opened or read: left out
        NotRegularFile, // a folder, FIFO, device or socket: left out
        Changed,        // changed under the merge, or since its plan: the merge failed
        Failed,         // an error not of the file's making (an I/O error, too many open files)
        NotReached,     // the merge ended before this input
    };
    // How many kept lines the record holds at the start and at the end of a copied file.
    static constexpr std::size_t kContextLines = 3;
    // The record is bounded, whatever the cuts: the first cut lines of each end are listed,
    // after them only those the checks need, up to the bound for all noted lines.
    static constexpr std::size_t kListedCutLines = 200;
    static constexpr std::size_t kMaxNotedLines = 10000;

    std::string path;
    Outcome outcome = Outcome::NotReached;
    FileError error;                                      // why an input was left out or failed
    FileStamp stamp;                                      // as opened
    UnchangedProof proof = UnchangedProof::SecondReading; // of an input read whole
    // Of the bytes read, once the input was read whole: what a later run compares.
    std::uint64_t digest = 0;
    // Of a copied file: its lines and content lines, the lines cut at its top and bottom, the
    // blank lines dropped between them, and its first and last kept lines.
    std::int64_t lines = 0;
    std::int64_t contentLines = 0;
    std::vector<NumberedLine> cutTop;
    std::vector<NumberedLine> cutBottom;
    std::int64_t cutTopLines = 0; // all lines cut, listed or not
    std::int64_t cutBottomLines = 0;
    // Lines the checks need went unrecorded: more than the record's bound.
    bool notAllNoted = false;
    std::int64_t blankLinesDropped = 0;
    std::vector<NumberedLine> firstKept;
    std::vector<NumberedLine> lastKept;
    // Kept lines that the request's filter picked out, wherever they stand.
    std::vector<NumberedLine> notedKept;
    NcLineReader::Dialect dialect = NcLineReader::Dialect::Undecided;
    std::optional<ControlByteFound> controlByte;
    // Of an input placed at a cell's work offset, when it was copied.
    std::optional<InputPlacement> placement;
    // Of a copied input, when the request reads tools: how its kept lines use them.
    std::optional<InputTools> tools;
};

// What a merge did, input by input. The merge itself shows nothing; callers turn this into
// messages.
struct MergeReport
{
    enum class Status
    {
        Written,            // the output holds the copied files
        NothingCopied,      // no input could be copied: the output is left as it was
        Planned,            // a plan: the record is complete and nothing was written
        Cancelled,          // stopped on request; no output was written
        BadTrimCount,       // a cut of fewer than 0 lines; nothing was read or written
        OutputFolderFailed, // the missing output folder could not be created
        OutputFailed,       // the output could not be written; it is left as it was
        InputFailed,        // an input failed while being read; the output is left as it was
        InputChanged,       // an input changed under the merge or since its plan; likewise
        NotApproved,        // the record was not approved; the output is left as it was
    };

    Status status = Status::Written;
    // What failed: a path and why, or the key of the refused cut ("DEL_UP", "DEL_BTM").
    FileProblem failure;
    std::vector<InputRecord> inputs;
    // The "%" lines the merge adds before and after the copied lines.
    bool percentAddedAtStart = false;
    bool percentAddedAtEnd = false;
    // Of a merge asked to order by tool: what it did, or why it kept the given order.
    std::optional<JobOrder> order;

    bool succeeded() const
    {
        return status == Status::Written || status == Status::Planned ||
               status == Status::NothingCopied;
    }
    int copiedFiles() const;
    std::vector<std::string> shortFiles() const;
    // Inputs that could not be opened or read, or are not regular files.
    std::vector<FileProblem> unreadableFiles() const;
};

// Told the bytes read so far and the bytes of all inputs; returns false to cancel.
using MergeProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;
// Told the whole record before the output replaces the old one; false keeps the old output.
using MergeApproval = std::function<bool(const MergeReport& report)>;

// The merge of inputs, in order: blank lines are dropped, delUp lines (blank ones included) are
// cut from the top of every copied file but the first and delBtm content lines from the bottom
// of every copied file but the last. A file with no more content lines than delUp + delBtm is
// short and left out. Every written line ends with CR LF; every other byte is copied as it is.
// Each input is opened once and read once, but for bounded looks at its head and tail.
struct MergeRequest
{
    std::vector<std::string> inputs{};
    int delUp = 0;
    int delBtm = 0;
    MergeProgress progress{};
    // A plan of the same inputs: writing then refuses any input that changed since.
    const MergeReport* plan = nullptr;
    // Every input read a second time to prove it unchanged, even where its file system's change
    // time or the system's lock would prove it.
    bool readInputsTwice = false;
    // Bytes read at a time: the memory the merge needs is a block and half of one more.
    std::size_t blockSize = std::size_t(1) << 20;
    // The facts (NcLineFacts::Fact) of the kept lines the record notes, wherever they stand.
    std::uint32_t noteKept = 0;
    MergeApproval approve{};
    // A "%" line starts and ends the output where its first and last lines are none, unless the
    // program is a Heidenhain one, which never has them.
    bool percentLines = false;
    // Where inputs run, by index: their cell's work offset. An input without one, or past the
    // list's end, is not placed.
    struct Cell
    {
        WorkOffset offset;
        bool first = false; // the job's first cell, the only one for a Heidenhain program
    };
    std::vector<std::optional<Cell>> cells{};
    // Placed inputs have their selections rewritten and an offset inserted where they have
    // none; off, they are left as they are and what differs from their cell is noted.
    bool rewriteOffsets = true;
    // Every kept line is read for the tools it uses and, by input, their speeds changed.
    bool readTools = false;
    std::vector<ToolSpeeds> toolSpeeds{};
    // Placed ISO programs run tool by tool, each restarted with retract, the lines that bring
    // the tool clear, wherever it does not follow its own program. The inputs are read twice for
    // it: once to plan, once to write; only the plan's segments are held.
    bool orderByTool = false;
    std::vector<std::string> retract{};
};

// The record of what a merge would do, reading every input as the merge would and writing
// nothing.
MergeReport PlanNcMerge(const MergeRequest& request);

// Merges into sink, which is committed only when every input was read whole and unchanged and
// at least one was copied.
MergeReport MergeNcFiles(const MergeRequest& request, OutputSink& sink);

// Merges into the file at outputPath, creating its folder one level deep; the file is replaced
// only when the whole merge succeeded, and a folder made for it goes again when it was not.
MergeReport MergeNcFiles(const MergeRequest& request, const std::string& outputPath);
MergeReport MergeNcFiles(const std::vector<std::string>& inputs, const std::string& outputPath,
                         int delUp, int delBtm, const MergeProgress& progress = {});
