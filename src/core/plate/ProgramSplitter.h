#pragma once

// One program of a job split at its tool changes, line by line, as the order plans it.

#include "ToolOrder.h"
#include "core/nc/ModalState.h"
#include "core/nc/NcLineReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A line of a program where the order notes it: its number in its input and its text, bounded.
struct NotedLine
{
    std::int64_t number = 0; // 0 for a line the merge inserted
    std::string text;
};

// A part of a program between two of its tool changes.
struct Segment
{
    std::size_t program = 0;
    std::size_t number = 0; // in its program, from 0
    std::size_t begin = 0;  // lines of the program
    std::size_t change = 0; // its tool change line
    std::size_t end = 0;
    std::int64_t changeNumber = 0; // of its tool change line in its input
    std::string changeText;        // and that line, whole: its tool words are rewritten
    std::int64_t tool = 0;
    std::int64_t toolAfter = 0; // in the spindle at its end
    ModalState before;          // the program's state before its first line
    // And where its tool first moves: spindle and coolant as they run there.
    ModalState atFirstMove;
    // Just before its first cut: the length offset and where the cut starts.
    ModalState atFirstCut;
    bool moves = false;
    bool cuts = false;
    bool ownLengthOffset = false; // G43 / G44 between its tool change and its first cut
    std::optional<int> motion;    // after its tool change line
    bool reliesOnMotion = false;
    bool reliesOnFeed = false;
};

// A program split at its tool changes: lines before its first one (the header of the first
// program, else part of its first segment), its segments, and where its program end starts.
struct SplitProgram
{
    std::vector<Segment> segments;
    std::size_t lines = 0;
    std::size_t end = 0; // of the job's last program: from its program end on
    std::int64_t toolChanges = 0;
    // Of groups whose power-on state differs between controls: a line relying on it.
    std::optional<NotedLine> movesInControlUnits;
    std::optional<NotedLine> cycleAtControlReturnPlane;
    bool choosesUnits = false;
    bool choosesReturnPlane = false;
    bool choosesSpindleMode = false;
    bool choosesCuttingMode = false;
};

// Why a program cannot be restarted safely, and the line that says so.
struct Refusal
{
    JobOrder::Given reason = JobOrder::Given::No;
    std::optional<NotedLine> line; // none where the whole program says so
};

// Splits one program at its tool changes, line by line, and refuses it where a restart could
// not run a segment of it as the program does.
class ProgramSplitter
{
public:
    ProgramSplitter(std::size_t index, SplitProgram& split);

    // The program's next line.
    std::optional<Refusal> read(std::string_view line, std::int64_t number);
    // After its last line; last: the job's last program, whose end stays last.
    std::optional<Refusal> finish(bool last);

private:
    static constexpr std::size_t kNone = std::size_t(-1);

    std::optional<Refusal> refused(const NcLineFacts& facts, const ModalLine& read) const;
    void toolChange(const ModalLine& read, const std::optional<ModalState>& before);
    std::optional<Refusal> inSegment(const ModalLine& read,
                                     const std::optional<ModalState>& before);
    void joinSegmentsWithoutMoves();
    NotedLine noted() const;

    const std::size_t m_index;
    SplitProgram& m_split;
    NcLineReader m_reader{NcLineReader::Dialect::Iso};
    ModalTracker m_tracker;
    std::size_t m_line = 0;           // being read
    std::string_view m_text;          // of the line being read
    std::int64_t m_number = 0;        // and its number in its input
    bool m_motionSet = false;         // G00 to G03 seen since the segment began
    bool m_feedSet = false;           // F seen since the segment began
    bool m_moved = false;             // since the segment began
    std::size_t m_programEnd = kNone; // the first after the last tool change
};
