#pragma once

#include "NcMerge.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the seams of a merge may have done to the program: a line cut that the machine needs, a
// line kept where it stops or confuses the machine, or an input that was left out.
enum class SeamRule
{
    ProgramEndInside,    // M02, M30, END PGM kept in a copied file but the last
    TapeMarkInside,      // a "%" line kept but as the first or last line of the output
    ToolChangeCut,       // M06 or TOOL CALL cut
    WorkOffsetCut,       // G54 to G59, G54.1 P, G505 to G599, CYCL DEF 7 or TRANS DATUM cut
    SpindleStartCut,     // M03 or M04 cut
    LengthOffsetCut,     // G43 cut
    CoolantCut,          // M07 or M08 cut
    ProgramNumberInside, // an O word line or BEGIN PGM kept in a copied file but the first
    MoveCut,             // a move or cycle call in work coordinates cut
    CallCut,             // a subprogram call or jump cut: M98, M198, G65, M99, CALL LBL, CALL PGM
    CalledLabelCut,      // a label (O, N, LBL) cut that a kept line still calls or jumps to
    ReturnInside,        // M99 kept in a copied file but the last
    ControlBytes,        // an input holding a byte no NC program holds
    ProgramNameDiffers,  // a Heidenhain program ending under another name than it begins with
    InputShort,          // left out: no more content lines than the cuts take
    InputUnreadable,     // left out: missing or not readable with the user's rights
    InputNotRegular,     // left out: a folder, FIFO, device or socket
    NotAllChecked,       // more lines for the checks than the record holds: the rest unchecked
    OffsetsDiffer,       // a placed program selecting two or more work offsets: it cannot be placed
    OffsetNotPlaced,     // a selection placement cannot name (G54.1 without its P)
    OffsetLineTooLong,   // a line placement must rewrite or insert before, too long to hold
    OffsetShift,         // a placed program writing or shifting offsets itself: G10, G52, G92
    HeidenhainMoved,     // a Heidenhain program, which keeps its own datum, not in the first cell
    OffsetDiffersFromCell,  // placement off: a program selecting another offset than its cell's
    ToolListUnreadable,     // the job's tool list cannot be read: its tools went unchecked
    ToolNotInList,          // a tool the machine's list does not hold
    ToolSpindleDiffers,     // S other than the list's spindle
    ToolFeedDiffers,        // the main cutting feed other than the list's feed
    ToolOffsetNumber,       // G43 H or G41 / G42 D other than the tool's number
    ToolCoolantDiffers,     // M07 or M08 other than the list's coolant
    ToolNotMeasured,        // a tool the list marks not measured
    ToolLengthDeltaDiffers, // a Heidenhain DL other than the list's
    ToolsNotAllRead,        // a line too long to be read for its tools, or too many tools
    ToolSpeedNotChanged,    // a speed due to change on a line written before it could be
    ToolListRowShifted,     // a list row with an empty value before a set one: read shifted
    ToolListDuplicate,      // a tool listed twice ("T01" and "T1"): the first counts
    ToolListTooLong,        // more rows than are read: the tools past them are not checked
    ToolFeedNotApplied,     // the list's feeds, in mm/min, not written: inches or not G94
    ToolSpeedChangedMuch,   // an applied speed more than double or less than half the program's
    OrderKeptGiven,         // asked to order by tool, the job kept its given order: detail says why
    OrderLineLost,          // ordered by tool: a program's line missing
    OrderLineAltered,       // a program's line changed
    OrderOutOfOrder,        // a line run before one it followed at its cell
    OrderStateDiffers,      // a move under another modal state than in its own program
    OrderRetractMissing,    // no retract between the moves at two offsets
    OrderToolChangeRepeated, // a tool change to the tool in the spindle
    OrderRestartLine,        // a restart block's line that must not stand there
    SpindleStopCut,          // M05 cut from a bottom: the spindle runs on into the next program
    CoolantOffCut,           // M09 cut from a bottom: the coolant stays on into the next program
};

struct SeamFinding
{
    enum class Severity
    {
        Warning,
        Error,
    };

    SeamRule rule = SeamRule::ProgramEndInside;
    Severity severity = Severity::Error;
    std::string path;      // the input, as the merge was given it
    std::int64_t line = 0; // in that input, from 1; 0 for the whole input
    std::string text;      // the line, without its line end
    FileError error{};     // of an input left out: why, when it could not be read
    std::string tool;      // of a tool rule: the tool's name ("12")
    std::string detail;    // of a tool rule: what the program and the list say ("S8000, 12000")
    // Of a control byte: where it stands in the file, from 0, and its value.
    std::uint64_t offset = 0;
    unsigned char byte = 0;
    // The job entry it is of, an index of the plan's inputs: one program may stand in several
    // cells, and its path alone does not say which.
    std::optional<std::size_t> input;
};

// The severity of each rule and its key, a stable name that scripts and tests can match; what
// a finding means in words is for the program that shows it.
struct SeamRuleInfo
{
    SeamRule rule;
    SeamFinding::Severity severity;
    const char* key;
};
const SeamRuleInfo& seamRuleInfo(SeamRule rule);

// A plan of a merge and the findings of its seams.
struct CheckedPlan
{
    MergeReport plan;
    std::vector<SeamFinding> findings;
};

// Checks of a plan besides its seams, whose findings follow the seams'.
using PlanCheck = std::function<std::vector<SeamFinding>(const MergeReport& plan)>;

// Plans the merge, noting the kept lines the checks read, and checks its seams.
CheckedPlan PlanAndCheck(MergeRequest request, const PlanCheck& moreChecks = {});

using SeamApproval = std::function<bool(const std::vector<SeamFinding>& findings)>;

// Has the merge note what the checks read and check the plan it makes before writing; approve
// sees the findings, which land in findings too, and says whether to write.
void CheckSeamsBeforeWriting(MergeRequest& request, std::vector<SeamFinding>& findings,
                             SeamApproval approve, PlanCheck moreChecks = {});
