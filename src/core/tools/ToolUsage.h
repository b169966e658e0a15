#pragma once

#include "core/nc/LineStage.h"
#include "core/nc/ModalState.h"
#include "core/nc/NcLineReader.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A value a program gives a tool, where it first stands.
struct ToolWord
{
    std::string value; // as written, without its letter
    double number = 0;
    std::int64_t line = 0; // of the input, from 1
    std::string text;      // the line, bounded
};

// How a program uses one tool, read from the lines it runs with it.
struct ToolUsage
{
    static constexpr std::size_t kMaxValues = 100; // different values listed per kind

    std::string name;         // the tool number as a value ("T01" is "1"), or a Heidenhain name
    std::int64_t number = -1; // -1 for a tool called by name
    ToolWord change;          // the first tool change to it
    std::int64_t changes = 0;
    std::vector<ToolWord> lengthOffsets; // H of G43 / G44
    std::vector<ToolWord> radiusOffsets; // D of G41 / G42
    std::vector<ToolWord> spindles;      // S
    std::vector<ToolWord> coolants;      // "M07" or "M08"
    std::vector<ToolWord> lengthDeltas;  // DL of a Heidenhain TOOL CALL
    // The feeds its cutting blocks (G01, G02, G03; L, C, CR, CT, CP) run under.
    struct Feed
    {
        ToolWord word;
        std::int64_t blocks = 0;
        double path = 0; // cut in the plane, as far as the positions are known; plunges cut none
    };
    std::vector<Feed> feeds;

    // The feed under which the tool cuts the longest path in the plane, the first met among
    // equals; where no path is known, the feed of most cutting blocks.
    const Feed* mainFeed() const;
};

// What the tool speeds of one input become: by tool name, its spindle, and its main cutting feed
// with what it becomes.
struct ToolSpeed
{
    std::optional<std::string> spindle;
    std::optional<double> mainFeed;
    std::string feed;
};
using ToolSpeeds = std::map<std::string, ToolSpeed>;

// One word a speed change rewrote.
struct SpeedChange
{
    std::int64_t line = 0;
    std::string before; // the line as read; bounded
    std::string after;  // as written; bounded
};

// The tools of one copied input and what changing their speeds did.
struct InputTools
{
    static constexpr std::size_t kMaxTools = 1000;
    static constexpr std::size_t kMaxListedChanges = 10000;

    std::vector<ToolUsage> tools; // in the order they are first called
    std::vector<SpeedChange> changes;
    std::int64_t changeCount = 0;
    bool notAllRead = false; // a line too long to hold, or more tools than listed
    // Lines whose speeds were due to change but had been written as they streamed in.
    std::vector<std::int64_t> notChanged;
    // The first feed of the list not written, and why: its feeds are mm/min under G94 ("G20",
    // "no G21", "G93", "G95"); the first spindle, its speeds being under G97 ("G96").
    struct NotApplied
    {
        ToolWord where;
        std::string why;
    };
    std::optional<NotApplied> feedNotApplied;
    std::optional<NotApplied> spindleNotApplied;
};

// Reads the kept lines of one program for its tools, and changes their speeds as asked.
class ToolUsageReader : public LineStage
{
public:
    ToolUsageReader(InputTools& record, const ToolSpeeds* speeds, bool heidenhain = false)
        : m_record(record), m_speeds(speeds), m_heidenhain(heidenhain)
    {}

    // Reads one line, whole, with its facts from a reader that keeps words; the line as it is to
    // be written instead when a speed changed.
    std::optional<std::string> read(std::int64_t number, std::string_view text,
                                    const NcLineFacts& facts, bool heidenhain);

    bool readsEveryLine() const override { return true; }
    void pass(const WayLine& line, LineRewrite& rewrite) override;
    // A line too long to be held is read when its text is whole, but never changed.
    void streamed(const WayLine& line, bool whole) override;

private:
    // What a line's G codes say of its other words.
    struct IsoCodes
    {
        bool arguments = false; // its letters are arguments or positions, not speeds
        bool lengthOffset = false;
        bool radiusOffset = false;
    };
    void noteToolCall(std::int64_t number, std::string_view text, const std::vector<NcWord>& words);
    IsoCodes readGCodes(std::string_view text, const std::vector<NcWord>& words);
    std::optional<std::string> readIso(std::int64_t number, std::string_view text,
                                       const NcLineFacts& facts);
    std::optional<std::string> readHeidenhain(std::int64_t number, std::string_view text,
                                              const std::vector<NcWord>& words);
    void changeTo(const std::string& name, std::int64_t toolNumber, std::int64_t line,
                  std::string_view text);
    void countBlock(double path);
    void noteNotApplied(std::optional<InputTools::NotApplied>& first, std::int64_t line,
                        std::string_view text, std::string why);
    void setFeed(std::string_view text, const NcWord& word, std::int64_t line);
    void noteValue(std::vector<ToolWord>& values, std::string_view text, const NcWord& word,
                   std::int64_t line);
    void noteCoolant(std::string_view text, const NcWord& word, std::int64_t line);
    // feedsOnly: the line's S words are no spindle speeds; iso: an ISO line, whose units and
    // feed mode count.
    std::optional<std::string> applySpeeds(std::int64_t number, std::string_view text,
                                           const std::vector<NcWord>& words, bool feedsOnly,
                                           bool iso);

    InputTools& m_record;
    const ToolSpeeds* m_speeds;
    bool m_heidenhain;
    std::optional<std::size_t> m_tool;         // index of the tool in use
    std::optional<std::int64_t> m_pendingTool; // T called, not yet changed to
    std::optional<ToolWord> m_feed;            // the modal feed, while it is a number
    std::optional<std::size_t> m_feedTool;     // the tool in use when it was set
    int m_motion = 0;                          // 0 rapid or none, 1 to 3 for G01 to G03
    ModalTracker m_modal;                      // of an ISO program
    bool m_written = false;                    // the line read has been written already
};

// The number of a tool as a tool list or a program writes it ("T01", "1", "01"), when it is one.
std::optional<std::int64_t> toolNumber(std::string_view text);
