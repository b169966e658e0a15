#pragma once

#include "NcLineReader.h"
#include "WorkOffset.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The modal state an ISO program's blocks run under, as far as running a part of it elsewhere
// needs it. Each value is none until the program sets it; codes are G or M numbers.
struct ModalState
{
    std::optional<int> units;    // 20 or 21
    std::optional<int> distance; // 90 or 91
    std::optional<int> plane;    // 17, 18 or 19
    std::optional<WorkOffset> offset;
    std::optional<int> feedMode;             // 93, 94 or 95
    std::optional<int> motion;               // 0 to 3
    std::optional<int> cycle;                // a canned cycle's G code while one is active, else 80
    std::optional<int> compensation;         // 40, 41 or 42
    std::string radiusOffset;                // D of G41 / G42, as written
    std::optional<int> lengthCode;           // 43, 44 or 49
    std::string lengthOffset;                // H of G43 / G44, as written
    std::optional<std::string> spindleSpeed; // S, as written
    std::optional<int> spindle;              // 3, 4 or 5
    std::optional<int> coolant;              // 7, 8 or 9
    std::optional<std::string> feed;         // F, as written
    std::optional<std::int64_t> tool;        // in the spindle
    std::optional<std::int64_t> calledTool;  // called for the next change
};

// Names the first value the actual state gives other than the expected one, of the values the
// expected state knows, with both as written ("F300. / F500."); none when all agree. The called
// tool is left out: a later change names its tool.
std::optional<std::string> modalDifference(const ModalState& expected, const ModalState& actual);

// What one line did, read by ModalTracker.
struct ModalLine
{
    bool move = false;                     // a move or cycle run in work coordinates
    bool setsMotion = false;               // G00 to G03
    bool reliesOnMotion = false;           // a move without a motion or cycle code of its own
    bool toolChange = false;               // M06
    std::optional<std::int64_t> changedTo; // the tool its change runs, when one is known
    bool computed = false;                 // a G, M, T, S, F, H or D value the program computes
};

// Follows the modal state of an ISO program line by line, from facts that keep their words.
class ModalTracker
{
public:
    ModalLine read(std::string_view line, const NcLineFacts& facts);
    const ModalState& state() const { return m_state; }

private:
    void gCode(int tenths, std::string_view line, const std::vector<NcWord>& words);

    ModalState m_state;
};
