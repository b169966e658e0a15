#pragma once

// The proof of a job ordered by tool: the ordered program read line by line, each program's
// own lines beside it.

#include "ToolOrder.h"
#include "core/nc/ModalState.h"
#include "core/nc/NcLineReader.h"
#include "core/nc/WorkOffset.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A line of one of the job's programs, as its program has it.
struct ProgramLine
{
    std::string_view text;
    std::int64_t number = 0; // in its input; 0 for a line the merge inserted
};

// Where a program of the job comes from and runs.
struct ProgramAt
{
    std::size_t input = 0;
    WorkOffset cell;
};

// Reads the ordered program line by line, each program's own lines alongside in their order, and
// notes every difference in the record: a line lost, altered or out of order, a move under
// another modal state than in its own program, a missing retract, a repeated tool change, a
// restart block's line that must not stand there. Holds a program's state, never its lines.
class OrderProof
{
public:
    OrderProof(std::vector<ProgramAt> programs, const std::vector<std::string>& retract,
               JobOrder& record);

    // The ordered program's next line; own: of a program's line, the one its program has there,
    // the next of its program not yet read.
    void read(const OrderedLine& line, std::size_t at, const ProgramLine& own = {});
    // A program's line that stands where the program's lines already read, or past its end.
    void readOutOfOrder(const OrderedLine& line, std::size_t at, std::int64_t number);
    // A program's next line the ordered program does not hold: one it may leave out, a tool
    // change with nothing but its tool words, or one lost.
    void skip(std::size_t program, const ProgramLine& own, std::size_t at);

private:
    // The ordered program's line being read.
    struct Step
    {
        const OrderedLine& line;
        std::size_t at; // from 0
        const ModalLine& read;
        bool repeated; // a tool change to the tool already in the spindle
    };
    // A length offset a restart block commanded (code, H, tool): the one the program's next
    // move runs under.
    struct CommandedOffset
    {
        std::optional<int> code;
        std::string value;
        std::optional<std::int64_t> tool;
    };
    // A program read line by line as far as the ordered program has reached in it.
    struct OwnProgram
    {
        NcLineReader reader{NcLineReader::Dialect::Iso};
        ModalTracker tracker;

        OwnProgram();
    };
    static constexpr std::size_t kNone = std::size_t(-1);

    // Reads line into the ordered program's state; a program's line it leaves to the caller.
    bool readOrdered(const OrderedLine& line, const NcLineFacts& facts, std::size_t at,
                     ModalLine& read, bool& repeated);
    void restartLine(const Step& step, const NcLineFacts& facts);
    void programLine(const Step& step, const NcLineFacts& facts, const ProgramLine& own);
    void keepsCellOrder(const Step& step, const ProgramAt& program, std::int64_t number);
    void move(const Step& step, const ProgramAt& program, std::int64_t number,
              const OwnProgram& mine, const ModalLine& own, std::optional<double> ownZBefore);
    void differ(OrderDifference::Kind kind, std::optional<std::size_t> input, std::int64_t number,
                std::string_view text, std::string detail, std::size_t at);

    const std::vector<ProgramAt> m_programs;
    const std::vector<std::string>& m_retract;
    JobOrder& m_record;
    std::vector<OwnProgram> m_own;
    NcLineReader m_reader{NcLineReader::Dialect::Iso};
    ModalTracker m_ordered;
    // The lowest Z a restart block moved to since its program last cut: no lower than where the
    // program's next cut starts.
    double m_restartZ = 0;
    bool m_restartMovedZ = false;
    bool m_restartZUnknown = false;
    std::optional<CommandedOffset> m_restartOffset;
    // Per cell, the program line that ran there last.
    std::vector<std::pair<WorkOffset, std::pair<std::size_t, std::size_t>>> m_cellLast;
    std::optional<WorkOffset> m_lastMoveOffset;
    bool m_retracted = false;
    bool m_stateDiffers = false; // reported for the stretch of lines read since the last restart
    std::size_t m_lastProgram = kNone;
};
