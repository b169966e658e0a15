#pragma once

#include "core/nc/ModalState.h"
#include "core/nc/WorkOffset.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A segment of a program where its tool runs, as the order wrote it.
struct OrderSegment
{
    std::size_t input = 0;
    WorkOffset cell;
    std::int64_t line = 0;  // of its tool change, in its input; 0 for one the merge inserted
    bool restarted = false; // a restart block stands before it
    std::vector<std::string> restart; // its restart block with its tool change line; bounded
};

// The segments one tool runs in a row.
struct ToolRun
{
    std::int64_t tool = 0;
    std::vector<OrderSegment> segments;
};

// Where the ordered program does not do what a program did at its cell: found by reading the
// ordered program again, never assumed.
struct OrderDifference
{
    enum class Kind
    {
        LineLost,           // a program's line the ordered program does not hold
        LineAltered,        // or holds changed
        OutOfOrder,         // or runs before a line it followed at its cell
        State,              // a move runs under another modal state than in its own program
        Retract,            // no retract between the last move at one offset and the next
        ToolChangeRepeated, // a tool change to the tool already in the spindle
        RestartLine,        // a restart block's line that must not stand there: an end, a
                            // call, a cut, a move below the clearance, an offset without a move
    };
    Kind kind = Kind::LineLost;
    std::optional<std::size_t> input; // none for a line the order wrote
    std::int64_t line = 0;            // of the input; 0 for a line the order wrote
    std::string text;                 // the line of the ordered program; bounded
    std::string detail;          // of a state: its own program's value, then the ordered program's
                                 // ("F300., F500.")
    std::int64_t outputLine = 0; // of the ordered program, from 1
};

// What ordering a job by tool did, or why it kept the given order.
struct JobOrder
{
    static constexpr std::size_t kMaxListed = 1000;

    enum class Given
    {
        No,                   // ordered by tool
        Heidenhain,           // a Heidenhain job: not ordered
        NotPlaced,            // an input without a cell
        Call,                 // a subprogram call, macro call, return or jump
        OffsetShift,          // G10, G52, G92
        Computed,             // a G, M, T, S, F, H or D value the program computes
        MoveBeforeToolChange, // a program moving before its first tool change: its tool unknown
        NoToolChange,         // a program without a tool change
        ToolUnknown,          // a tool change whose tool no line names
        LineTooLong,          // a line longer than a block: the order reads every line whole
        Unrestatable,         // rotation, scaling, polar coordinates or mirror image
        Incremental,          // a move in incremental distances: it starts where another left
        UnitsUnknown,         // a program moving in the control's units while others choose
        ReturnPlaneUnknown,   // a cycle at the control's return plane while others choose one
        PositionUnknown,      // a restart must move to where its tool cuts, and that is unknown
        LengthOffsetUnknown,  // Z moves under another tool's length offset, or one never chosen
        UnsafeRetract,        // a retract that does not only move Z up
    };
    Given given = Given::No;
    // Of a reason that a line gives: where it stands.
    std::size_t input = 0;
    std::int64_t line = 0;
    std::string text;

    std::vector<ToolRun> runs;
    std::int64_t toolChangesBefore = 0; // of an ordered job: in the given order
    std::int64_t toolChangesAfter = 0;  // and as the proof read them
    std::int64_t toolChangesLeast = 0;  // no order of the cells' segments has fewer
    std::int64_t restarts = 0;
    std::vector<OrderDifference> differences;
};

// A stable name of why the given order was kept ("heidenhain", "call"), for scripts and texts.
const char* orderKeptGivenKey(JobOrder::Given given);

// A line of the ordered program: a program's, as it stands or without its tool change, or one
// the order wrote.
struct OrderedLine
{
    enum class Origin
    {
        Program,          // as the program has it
        WithoutToolWords, // the program's tool change line without its T and M06 words
        Written,          // a line the order wrote: restart block, a tool called
        Around,           // a line the merge wrote before or after the programs: "%"
    };
    std::string_view text;
    Origin origin = Origin::Written;
    std::size_t program = 0; // of a program's line: its index among the programs, and its line
    std::size_t line = 0;
};

// The retract a restart block starts with unless the job says otherwise: the tool up to the
// reference position, then absolute distances again.
std::vector<std::string> defaultRetract();
// Lines as a setting stores them, one a line; blank ones left out.
std::vector<std::string> retractLines(std::string_view stored);
// The first line of a retract that does more than move Z up (G28, G30 or G53 with Z, or an
// incremental rapid of Z alone upwards), with G90 and G91 on lines of their own; none when it
// is safe. An empty retract is unsafe.
std::optional<std::size_t> unsafeRetractLine(const std::vector<std::string>& retract);

// A tool change line without its M06 and the T of the tool it runs, and the blanks after them;
// empty when nothing but a block number and comments is left.
std::string withoutToolWords(std::string_view line, const NcLineFacts& facts);
