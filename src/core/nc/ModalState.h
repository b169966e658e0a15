#pragma once

#include "NcLineReader.h"
#include "WorkOffset.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a program's tool stands in work coordinates, axis by axis, as far as its own absolute
// moves tell; none where a move in machine coordinates, a computed value or an incremental move
// left it unknown.
struct ToolPosition
{
    std::optional<double> x;
    std::optional<double> y;
    std::optional<double> z;
};

// The modal state an ISO program's blocks run under: every modal group of a FANUC-style milling
// control and the values a restart needs. Each value is none until the program sets it; codes
// are G or M numbers, G codes with a decimal in tenths (G50.1 is 501).
struct ModalState
{
    static constexpr int kMist = 1;  // M07
    static constexpr int kFlood = 2; // M08

    std::optional<int> units;    // 20 or 21
    std::optional<int> distance; // 90 or 91
    std::optional<int> plane;    // 17, 18 or 19
    std::optional<WorkOffset> offset;
    std::optional<int> feedMode;             // 93, 94 or 95
    std::optional<int> motion;               // 0 to 3
    std::optional<int> cycle;                // a canned cycle's G code while one is active, else 80
    std::optional<int> returnPlane;          // 98 or 99
    std::optional<int> compensation;         // 40, 41 or 42
    std::string radiusOffset;                // D of G41 / G42, as written
    std::optional<int> lengthCode;           // 43, 44 or 49
    std::string lengthOffset;                // H of G43 / G44, as written
    std::optional<std::int64_t> lengthTool;  // in the spindle when G43 / G44 was commanded
    std::optional<int> spindleMode;          // 96 (constant surface speed) or 97
    std::optional<int> cuttingMode;          // 61, 62, 63 or 64
    std::optional<int> scaling;              // 50 or 51
    std::optional<int> rotation;             // 68 or 69
    std::optional<int> polar;                // 15 or 16
    std::optional<int> mirror;               // 501 or 511
    std::optional<int> macroCall;            // 66 or 67
    std::optional<std::string> spindleSpeed; // S, as written
    std::optional<int> spindle;              // 3, 4 or 5
    std::optional<int> coolant;              // kMist | kFlood as M07 and M08 turned them on;
                                             // 0 after M09
    std::optional<std::string> feed;         // F, as written
    std::optional<std::int64_t> tool;        // in the spindle
    std::optional<std::int64_t> calledTool;  // called for the next change
    ToolPosition position;
};

// How the move compared runs: its feed counts only where it cuts.
enum class MoveKind
{
    Rapid,
    Feed,
};

// Names the first value the actual state gives other than the expected one, of the values the
// expected state knows, with both as written ("F300., F500."); none when all agree. The called
// tool and the position are left out: a later change names its tool, and positions are the
// moves' own. A length offset commanded for another tool than the one in the spindle is stale:
// where the expected one is stale or none, only a move of Z must run under the same.
std::optional<std::string> modalDifference(const ModalState& expected, const ModalState& actual,
                                           MoveKind move = MoveKind::Feed, bool movesZ = true);

// What one line did, read by ModalTracker.
struct ModalLine
{
    bool move = false;                     // a move or cycle run in work coordinates
    bool setsMotion = false;               // G00 to G03
    bool reliesOnMotion = false;           // a move without a motion or cycle code of its own
    bool feeds = false;                    // a move at a feed: G01 to G03 or a cycle
    bool setsFeed = false;                 // an F word
    bool setsLengthOffset = false;         // G43 or G44
    bool toolChange = false;               // M06
    std::optional<std::int64_t> changedTo; // the tool its change runs, when one is known
    bool computed = false;                 // a G, M, T, S, F, H or D value the program computes
    // A code whose state a restart cannot restate: rotation, scaling, polar coordinates, mirror
    // image (their G code, in tenths).
    std::optional<int> unrestatable;
    bool axisZ = false; // a Z word
};

// Follows the modal state of an ISO program line by line, from facts that keep their words (and
// their axis words, for the position).
class ModalTracker
{
public:
    ModalLine read(std::string_view line, const NcLineFacts& facts);
    const ModalState& state() const { return m_state; }

private:
    void toolWords(std::string_view line, const std::vector<NcWord>& words, ModalLine& read);
    void mCode(double m);
    void gCode(int tenths, std::string_view line, const std::vector<NcWord>& words,
               ModalLine& read);
    void follow(std::string_view line, const NcLineFacts& facts, bool machineCoordinates);

    ModalState m_state;
    std::optional<double> m_cycleR; // a cycle's R stays for its later holes
};

// Coolant as M codes: "M09", "M07", "M08", "M07 M08".
std::string coolantCodes(int coolant);

// Whether a length offset (G43, G44) is on that was commanded for the tool in the spindle.
bool ownLengthOffset(const ModalState& state);

// Values as written compare by their number: "300." is "300".
bool sameNcValue(std::string_view a, std::string_view b);
