#pragma once

#include "core/nc/LineStage.h"
#include "core/nc/NcLineReader.h"
#include "core/nc/WorkOffset.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line placement changed: a work-offset selection rewritten, or a line inserted before it.
struct OffsetChange
{
    std::int64_t line = 0; // of the input, from 1; an inserted line stands before it
    std::string before;    // the line as read, empty for an insertion; bounded
    std::string after;     // as written; bounded
};

// What placing one input at its cell's work offset did and found.
struct InputPlacement
{
    static constexpr std::size_t kMaxListed = 10000;

    WorkOffset cell;
    bool firstCell = false; // the job's first cell, where a Heidenhain program may stand
    bool rewrite = true;    // off: nothing is changed, only what differs from the cell is noted
    std::vector<OffsetChange> changes;
    std::int64_t changeCount = 0; // all of them, listed or not
    // The first work offset the program selects, of the lines kept.
    std::optional<WorkOffset> firstSelected;
    // The kept lines the checks report: a selection other than the first, or than the cell's
    // with placement off, or one placement cannot name; an offset shift; a line placement had
    // to change but could not reach. A program repeating its one offset is noted by none.
    struct NotedLine
    {
        std::int64_t line = 0;
        std::string text; // bounded
        std::vector<NcLineFacts::OffsetSelection> offsets;
        bool shift = false;
        bool placed = true; // false: placement had to change it, but it was too long to hold
    };
    std::vector<NotedLine> lines;
    bool notAllListed = false; // more changes or lines than the record lists
};

// Places one ISO program at its cell's work offset, line by line as the merge copies it: its
// work-offset selections are rewritten to the cell's, the rest of each line byte for byte, and
// the cell's offset is inserted as a line of its own before its first move in work coordinates
// when no selection came before, since the program before it may have left another active.
class OffsetPlacement : public LineStage
{
public:
    explicit OffsetPlacement(InputPlacement& record) : m_record(record) {}

    // Until the first move or selection every kept line is read word by word: the scan's
    // notable bytes do not show moves.
    bool readsEveryLine() const override { return m_record.rewrite && !m_settled; }
    bool notesOffsets() const override { return true; }
    void pass(const WayLine& line, LineRewrite& rewrite) override;
    // What a line too long to be held needed placement to do is noted as not done.
    void streamed(const WayLine& line, bool whole) override;

private:
    void note(std::int64_t number, std::string_view text, const NcLineFacts& facts, bool placed);
    void change(std::int64_t number, std::string before, std::string after);

    InputPlacement& m_record;
    bool m_settled = false; // a move or selection was seen
};
