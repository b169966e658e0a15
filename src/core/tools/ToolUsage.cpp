// The tool usage stage: the tools kept lines run, their speeds, and the speeds changed.

#include "ToolUsage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The Heidenhain statements that move the tool along a path.
constexpr std::string_view kHeidenhainPaths[] = {"L", "C", "CR", "CT", "CP", "LP", "LN"};

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string bounded(std::string_view text)
{
    return std::string(text.substr(0, kMaxNotedTextBytes));
}

bool same(double a, double b)
{
    return std::fabs(a - b) < 1e-9;
}

// A whole number a tool can be numbered by, far within what an integer holds.
bool isToolNumber(double value)
{
    return value >= 0 && value < 1e15 && value == std::floor(value);
}

void addValue(std::vector<ToolWord>& values, std::string_view value, double number,
              std::int64_t line, std::string_view text)
{
    const bool known = std::any_of(values.begin(), values.end(), [&](const ToolWord& known) {
        return same(known.number, number);
    });
    if (!known && values.size() < ToolUsage::kMaxValues)
        values.push_back({std::string(value), number, line, bounded(text)});
}

// A feed of the tool scaled as its main feed becomes the list's: plunges and ramps keep their
// ratio to it. The main feed itself becomes the list's value as written.
std::string scaledFeed(std::string_view written, double value, double main, const std::string& list)
{
    if (same(value, main))
        return list;
    const std::optional<double> listed = ncNumber(list);
    if (!listed || main <= 0)
        return {};
    std::string result = ncDecimal(value * *listed / main, 1);
    // Written as the program writes its feeds: with a point or without.
    if (result.ends_with('.') && written.find('.') == std::string_view::npos)
        result.pop_back();
    return result;
}

// The path a cutting move cuts in the plane, where its program says where the tool was and went;
// arcs count by their chord, which is enough to rank feeds by the path they cut.
double planePath(const ModalState& after, const ToolPosition& before)
{
    const ToolPosition& now = after.position;
    const int plane = after.plane.value_or(17);
    const std::optional<double> ToolPosition::*first =
        plane == 19 ? &ToolPosition::y : &ToolPosition::x;
    const std::optional<double> ToolPosition::*second =
        plane == 17 ? &ToolPosition::y : &ToolPosition::z;
    double path = 0;
    for (const auto axis : {first, second}) {
        const std::optional<double>& from = before.*axis;
        const std::optional<double>& to = now.*axis;
        if (from.has_value() != to.has_value())
            return 0; // an axis from or to an unknown place
        if (from)
            path += (*to - *from) * (*to - *from);
    }
    return std::sqrt(path);
}

} // namespace

std::optional<std::int64_t> toolNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && upper(text.front()) == 'T')
        text.remove_prefix(1);
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || number < 0)
        return std::nullopt;
    return number;
}

const ToolUsage::Feed* ToolUsage::mainFeed() const
{
    const Feed* longest = nullptr;
    const Feed* most = nullptr;
    for (const Feed& feed : feeds) {
        if (feed.path > 1e-9 && (!longest || feed.path > longest->path + 1e-9))
            longest = &feed;
        if (!most || feed.blocks > most->blocks)
            most = &feed;
    }
    return longest ? longest : most;
}

std::optional<std::string> ToolUsageReader::read(std::int64_t number, std::string_view text,
                                                 const NcLineFacts& facts, bool heidenhain)
{
    return heidenhain ? readHeidenhain(number, text, facts.words) : readIso(number, text, facts);
}

void ToolUsageReader::pass(const WayLine& line, LineRewrite& rewrite)
{
    if (std::optional<std::string> changed = read(line.number, line.text, line.facts, m_heidenhain))
        rewrite.rewritten = std::move(changed);
}

void ToolUsageReader::streamed(const WayLine& line, bool whole)
{
    if (!whole) {
        m_record.notAllRead = true;
        return;
    }
    m_written = true;
    read(line.number, line.text, line.facts, m_heidenhain);
    m_written = false;
}

void ToolUsageReader::changeTo(const std::string& name, std::int64_t toolNumber, std::int64_t line,
                               std::string_view text)
{
    auto& tools = m_record.tools;
    auto found = std::find_if(tools.begin(), tools.end(),
                              [&](const ToolUsage& tool) { return tool.name == name; });
    if (found == tools.end()) {
        if (tools.size() >= InputTools::kMaxTools) {
            m_record.notAllRead = true;
            m_tool.reset();
            return;
        }
        ToolUsage tool;
        tool.name = name;
        tool.number = toolNumber;
        tool.change = {name, double(toolNumber), line, bounded(text)};
        tools.push_back(std::move(tool));
        found = tools.end() - 1;
    }
    ++found->changes;
    m_tool = std::size_t(found - tools.begin());
}

void ToolUsageReader::countBlock(double path)
{
    if (!m_tool || !m_feed)
        return;
    auto& feeds = m_record.tools[*m_tool].feeds;
    const auto found = std::find_if(feeds.begin(), feeds.end(), [&](const ToolUsage::Feed& feed) {
        return same(feed.word.number, m_feed->number);
    });
    if (found != feeds.end()) {
        ++found->blocks;
        found->path += path;
    } else if (feeds.size() < ToolUsage::kMaxValues) {
        feeds.push_back({*m_feed, 1, path});
    }
}

void ToolUsageReader::noteNotApplied(std::optional<InputTools::NotApplied>& first,
                                     std::int64_t line, std::string_view text, std::string why)
{
    if (!first)
        first = InputTools::NotApplied{{"", 0, line, bounded(text)}, std::move(why)};
}

// A feed stands from its first word in the blocks of the tool in use: the same feed again is
// no new one, which spares a copy of the line where every block repeats it.
void ToolUsageReader::setFeed(std::string_view text, const NcWord& word, std::int64_t line)
{
    const std::optional<double> feed = wordNumber(text, word);
    if (!feed)
        m_feed.reset();
    else if (!m_feed || !same(m_feed->number, *feed) || m_feedTool != m_tool)
        m_feed = ToolWord{std::string(wordValue(text, word)), *feed, line, bounded(text)};
    m_feedTool = m_tool;
}

void ToolUsageReader::noteValue(std::vector<ToolWord>& values, std::string_view text,
                                const NcWord& word, std::int64_t line)
{
    if (const std::optional<double> value = wordNumber(text, word))
        addValue(values, wordValue(text, word), *value, line, text);
}

void ToolUsageReader::noteCoolant(std::string_view text, const NcWord& word, std::int64_t line)
{
    if (!m_tool)
        return;
    for (const double code : {7.0, 8.0})
        if (isWordCode(text, word, "M", code))
            addValue(m_record.tools[*m_tool].coolants, code == 7 ? "M07" : "M08", code, line, text);
}

// A tool change runs the tool its line names, else the one called last; S and F on its line are
// the new tool's.
void ToolUsageReader::noteToolCall(std::int64_t number, std::string_view text,
                                   const std::vector<NcWord>& words)
{
    const IsoToolWords call = isoToolWords(text, words);
    if (call.change) {
        if (call.runs)
            m_pendingTool = call.runs;
        if (m_pendingTool)
            changeTo(std::to_string(*m_pendingTool), *m_pendingTool, number, text);
        m_pendingTool.reset();
    }
    if (call.calls)
        m_pendingTool = call.calls;
}

// The motion mode a line leaves, and what its other G codes make of its words: macro calls take
// letters as arguments, G04 to G92 below axis words that are no moves.
ToolUsageReader::IsoCodes ToolUsageReader::readGCodes(std::string_view text,
                                                      const std::vector<NcWord>& words)
{
    IsoCodes codes;
    for (const NcWord& word : words) {
        const std::optional<double> g = word.is('G') ? wordNumber(text, word) : std::nullopt;
        if (!g || *g != std::floor(*g) || *g < 0 || *g > 1000)
            continue;
        switch (const int code = int(*g)) {
        case 0:
        case 1:
        case 2:
        case 3:
            m_motion = code;
            break;
        case 4:
        case 10:
        case 28:
        case 29:
        case 30:
        case 52:
        case 53:
        case 65:
        case 66:
        case 92:
            codes.arguments = true;
            break;
        case 41:
        case 42:
            codes.radiusOffset = true;
            break;
        case 43:
        case 44:
            codes.lengthOffset = true;
            break;
        default:
            if (code >= 73 && code <= 89) // canned cycles and their cancel: no cutting moves
                m_motion = 0;
        }
    }
    return codes;
}

std::optional<std::string> ToolUsageReader::readIso(std::int64_t number, std::string_view text,
                                                    const NcLineFacts& facts)
{
    const std::vector<NcWord>& words = facts.words;
    // Units, feed and spindle modes and where the tool goes, for the speeds and the main feed.
    const ToolPosition before = m_modal.state().position;
    m_modal.read(text, facts);
    noteToolCall(number, text, words);
    const IsoCodes codes = readGCodes(text, words);
    if (codes.arguments)
        return std::nullopt;
    for (const NcWord& word : words)
        if (word.is('F'))
            setFeed(text, word, number);
    if (!m_tool)
        return std::nullopt;
    ToolUsage& tool = m_record.tools[*m_tool];
    for (const NcWord& word : words) {
        if (word.is('S'))
            noteValue(tool.spindles, text, word, number);
        else if (word.is('H') && codes.lengthOffset)
            noteValue(tool.lengthOffsets, text, word, number);
        else if (word.is('D') && codes.radiusOffset)
            noteValue(tool.radiusOffsets, text, word, number);
        else if (word.is('M'))
            noteCoolant(text, word, number);
    }
    if (facts.has(NcLineFacts::AxisMove) && m_motion >= 1 && m_motion <= 3)
        countBlock(planePath(m_modal.state(), before));
    return applySpeeds(number, text, words, false, true);
}

std::optional<std::string> ToolUsageReader::readHeidenhain(std::int64_t number,
                                                           std::string_view text,
                                                           const std::vector<NcWord>& words)
{
    if (words.empty())
        return std::nullopt;
    const auto statement = [&](std::string_view address) {
        return words[0].address == address && words[0].begin == words[0].end;
    };
    const bool toolCall = words.size() >= 2 && statement("TOOL") && words[1].address == "CALL";
    if (toolCall && words.size() >= 3) {
        const NcWord& called = words[2];
        const std::string_view name = wordValue(text, called);
        const std::optional<double> tool =
            called.address.empty() ? wordNumber(text, called) : std::nullopt;
        if (tool && isToolNumber(*tool))
            changeTo(std::to_string(std::int64_t(*tool)), std::int64_t(*tool), number, text);
        else if (called.address.empty() && name.size() >= 2 && name.front() == '"' &&
                 name.back() == '"')
            changeTo(std::string(name.substr(1, name.size() - 2)), -1, number, text);
    }
    const bool move = std::any_of(std::begin(kHeidenhainPaths), std::end(kHeidenhainPaths),
                                  [&](std::string_view path) { return statement(path); });
    for (const NcWord& word : words)
        if (word.is('M'))
            noteCoolant(text, word, number);
    if (!toolCall && !move)
        return std::nullopt;
    bool rapid = false;
    for (const NcWord& word : words) {
        if (word.address == "FMAX")
            rapid = true;
        else if (word.is('F') && wordNumber(text, word))
            setFeed(text, word, number);
    }
    if (!m_tool)
        return std::nullopt;
    ToolUsage& tool = m_record.tools[*m_tool];
    for (const NcWord& word : words) {
        if (toolCall && word.is('S'))
            noteValue(tool.spindles, text, word, number);
        else if (toolCall && word.address == "DL")
            noteValue(tool.lengthDeltas, text, word, number);
    }
    if (move && !rapid)
        countBlock(0);
    // S stands in a TOOL CALL only.
    return applySpeeds(number, text, words, !toolCall, false);
}

// Writes the list's spindle over every S of the tool in use under G97, and scales every F of it
// as its main cutting feed becomes the list's feed, in a program in G21 and G94; nothing else of
// the line changes.
std::optional<std::string> ToolUsageReader::applySpeeds(std::int64_t number, std::string_view text,
                                                        const std::vector<NcWord>& words,
                                                        bool feedsOnly, bool iso)
{
    if (!m_speeds || !m_tool)
        return std::nullopt;
    const auto speed = m_speeds->find(m_record.tools[*m_tool].name);
    if (speed == m_speeds->end())
        return std::nullopt;
    // Heidenhain programs say their units in BEGIN PGM and have no feed modes of ISO.
    std::string why;
    const ModalState& modal = m_modal.state();
    if (iso && modal.units != 21)
        why = modal.units == 20 ? "G20" : "no G21";
    else if (iso && modal.feedMode.value_or(94) != 94)
        why = "G" + std::to_string(*modal.feedMode);
    // Copied at its first change only: most lines keep their speeds.
    std::string line;
    bool changed = false;
    for (auto word = words.rbegin(); word != words.rend(); ++word) {
        const std::optional<double> value = wordNumber(text, *word);
        if (!value)
            continue;
        std::string replacement;
        if (word->is('S') && !feedsOnly && speed->second.spindle) {
            if (modal.spindleMode == 96) {
                noteNotApplied(m_record.spindleNotApplied, number, text, "G96");
                continue;
            }
            replacement = *speed->second.spindle;
        } else if (word->is('F') && speed->second.mainFeed) {
            if (!why.empty()) {
                noteNotApplied(m_record.feedNotApplied, number, text, why);
                continue;
            }
            replacement = scaledFeed(wordValue(text, *word), *value, *speed->second.mainFeed,
                                     speed->second.feed);
        }
        if (replacement.empty() || ncNumber(replacement) == value)
            continue;
        if (!changed)
            line.assign(text);
        line.replace(word->begin, word->end - word->begin, replacement);
        changed = true;
    }
    if (!changed)
        return std::nullopt;
    if (m_written) {
        m_record.notChanged.push_back(number);
        return std::nullopt;
    }
    ++m_record.changeCount;
    if (m_record.changes.size() < InputTools::kMaxListedChanges)
        m_record.changes.push_back({number, bounded(text), bounded(line)});
    return line;
}
