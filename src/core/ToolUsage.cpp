#include "ToolUsage.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr std::size_t kMaxLineText = 512;

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

std::string bounded(std::string_view text)
{
    return std::string(text.substr(0, kMaxLineText));
}

bool same(double a, double b)
{
    return std::fabs(a - b) < 1e-9;
}

// Where the number after an address starts and ends: a sign, digits and one point.
std::size_t numberEnd(std::string_view text, std::size_t at)
{
    std::size_t end = at;
    if (end < text.size() && (text[end] == '+' || text[end] == '-'))
        ++end;
    while (end < text.size() && ((text[end] >= '0' && text[end] <= '9') || text[end] == '.'))
        ++end;
    return end;
}

} // namespace

std::optional<double> ncNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    const auto digitsOnly = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digitsOnly(whole) || !digitsOnly(fraction))
        return std::nullopt;
    const std::string plain =
        (whole.empty() ? std::string("0") : std::string(whole)) + "." + std::string(fraction);
    double value = 0;
    if (std::from_chars(plain.data(), plain.data() + plain.size(), value).ec != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

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
    const Feed* main = nullptr;
    for (const Feed& feed : feeds)
        if (!main || feed.blocks > main->blocks)
            main = &feed;
    return main;
}

struct ToolUsageReader::Word
{
    std::string letters; // upper case
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
    std::optional<double> number;

    std::string_view value(std::string_view text) const
    {
        return text.substr(valueBegin, valueEnd - valueBegin);
    }
    bool is(std::string_view address, double code) const
    {
        return letters == address && number && same(*number, code);
    }
};

namespace {

using WordList = std::vector<ToolUsageReader::Word>;

bool hasCode(const std::vector<ToolUsageReader::Word>& words, std::string_view address,
             std::initializer_list<double> codes)
{
    return std::any_of(words.begin(), words.end(), [&](const ToolUsageReader::Word& word) {
        return std::any_of(codes.begin(), codes.end(),
                           [&](double code) { return word.is(address, code); });
    });
}

void addValue(std::vector<ToolWord>& values, const ToolWord& word)
{
    const bool known = std::any_of(values.begin(), values.end(), [&](const ToolWord& value) {
        return same(value.number, word.number);
    });
    if (!known && values.size() < ToolUsage::kMaxValues)
        values.push_back(word);
}

} // namespace

std::optional<std::string> ToolUsageReader::read(std::int64_t number, std::string_view text,
                                                 bool heidenhain)
{
    return heidenhain ? readHeidenhain(number, text) : readIso(number, text);
}

void ToolUsageReader::streamed(std::int64_t number, std::string_view text, bool whole,
                               bool heidenhain)
{
    if (!whole) {
        m_record.notAllRead = true;
        return;
    }
    m_written = true;
    read(number, text, heidenhain);
    m_written = false;
}

ToolUsage* ToolUsageReader::changeTo(const std::string& name, std::int64_t toolNumber,
                                     std::int64_t line, std::string_view text)
{
    auto& tools = m_record.tools;
    auto found = std::find_if(tools.begin(), tools.end(),
                              [&](const ToolUsage& tool) { return tool.name == name; });
    if (found == tools.end()) {
        if (tools.size() >= InputTools::kMaxTools) {
            m_record.notAllRead = true;
            m_tool.reset();
            return nullptr;
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
    return &*found;
}

void ToolUsageReader::countBlock()
{
    if (!m_tool || !m_feed)
        return;
    auto& feeds = m_record.tools[*m_tool].feeds;
    const auto found = std::find_if(feeds.begin(), feeds.end(), [&](const ToolUsage::Feed& feed) {
        return same(feed.word.number, m_feed->number);
    });
    if (found != feeds.end())
        ++found->blocks;
    else if (feeds.size() < ToolUsage::kMaxValues)
        feeds.push_back({*m_feed, 1});
}

std::optional<std::string> ToolUsageReader::readIso(std::int64_t number, std::string_view text)
{
    WordList words;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '(') {
            const std::size_t close = text.find(')', i);
            i = close == std::string_view::npos ? text.size() : close + 1;
            continue;
        }
        if (c == ';')
            break;
        // Addresses are single letters: one beside another belongs to a macro keyword (IF,
        // GOTO, WHILE, GT).
        if (!isLetter(c) || (i > 0 && isLetter(text[i - 1])) ||
            (i + 1 < text.size() && isLetter(text[i + 1]))) {
            ++i;
            continue;
        }
        Word word{std::string(1, upper(c))};
        std::size_t at = i + 1;
        while (at < text.size() && isBlank(text[at]))
            ++at;
        word.valueBegin = at;
        word.valueEnd = numberEnd(text, at);
        // Without a value it is an address only before a macro's variable or expression.
        if (word.valueBegin == word.valueEnd &&
            (at == text.size() || (text[at] != '#' && text[at] != '['))) {
            ++i;
            continue;
        }
        word.number = ncNumber(word.value(text));
        words.push_back(word);
        i = std::max(word.valueEnd, i + 1);
    }
    if (words.empty())
        return std::nullopt;

    // A tool change runs the tool named on its line, before M06 or after it, else the one
    // called last; S and F on its line are the new tool's.
    const auto m06 =
        std::find_if(words.begin(), words.end(), [](const Word& word) { return word.is("M", 6); });
    std::optional<std::int64_t> named;
    std::optional<std::int64_t> lastNamed;
    bool namedBeforeChange = false;
    for (auto word = words.begin(); word != words.end(); ++word) {
        if (word->letters != "T" || !word->number || *word->number < 0 ||
            *word->number != std::floor(*word->number))
            continue;
        const auto value = std::int64_t(*word->number);
        if (!named || (word < m06 && !namedBeforeChange)) {
            named = value;
            namedBeforeChange = word < m06;
        }
        lastNamed = value;
    }
    if (m06 != words.end()) {
        if (named)
            m_pendingTool = named;
        if (m_pendingTool)
            changeTo(std::to_string(*m_pendingTool), *m_pendingTool, number, text);
        m_pendingTool.reset();
        if (lastNamed && lastNamed != named)
            m_pendingTool = lastNamed;
    } else if (lastNamed) {
        m_pendingTool = lastNamed;
    }

    // Macro calls take letters as arguments; these codes take axis words that are no moves.
    const bool arguments = hasCode(words, "G", {4, 10, 28, 29, 30, 52, 53, 65, 66, 92});
    for (const Word& word : words) {
        if (word.letters != "G" || !word.number)
            continue;
        if (same(*word.number, 0) || same(*word.number, 1) || same(*word.number, 2) ||
            same(*word.number, 3))
            m_motion = int(*word.number);
        else if (same(*word.number, 80) || (*word.number >= 73 && *word.number <= 89))
            m_motion = 0;
    }
    if (arguments)
        return std::nullopt;
    for (const Word& word : words)
        if (word.letters == "F")
            m_feed = word.number ? std::optional(ToolWord{std::string(word.value(text)),
                                                          *word.number, number, bounded(text)})
                                 : std::nullopt;
    if (!m_tool)
        return std::nullopt;
    ToolUsage& tool = m_record.tools[*m_tool];
    const bool lengthOffset = hasCode(words, "G", {43, 44});
    const bool radiusOffset = hasCode(words, "G", {41, 42});
    bool move = false;
    for (const Word& word : words) {
        const ToolWord found{std::string(word.value(text)), word.number.value_or(0), number,
                             bounded(text)};
        if (word.letters == "S" && word.number)
            addValue(tool.spindles, found);
        else if (word.letters == "H" && word.number && lengthOffset)
            addValue(tool.lengthOffsets, found);
        else if (word.letters == "D" && word.number && radiusOffset)
            addValue(tool.radiusOffsets, found);
        else if (word.is("M", 7) || word.is("M", 8))
            addValue(tool.coolants,
                     {same(*word.number, 7) ? "M07" : "M08", *word.number, number, bounded(text)});
        move = move || (word.letters.find_first_of("XYZABCUVWIJKR") != std::string::npos);
    }
    if (move && m_motion >= 1 && m_motion <= 3)
        countBlock();
    return applySpeeds(number, text, words);
}

std::optional<std::string> ToolUsageReader::readHeidenhain(std::int64_t number,
                                                           std::string_view text)
{
    std::string_view statement = text.substr(0, text.find(';'));
    std::size_t at = 0;
    while (at < statement.size() && isBlank(statement[at]))
        ++at;
    while (at < statement.size() && statement[at] >= '0' && statement[at] <= '9')
        ++at; // the block number
    // Words are separated by blanks: letters and a value.
    WordList words;
    while (at < statement.size()) {
        while (at < statement.size() && isBlank(statement[at]))
            ++at;
        const std::size_t begin = at;
        while (at < statement.size() && !isBlank(statement[at]))
            ++at;
        if (begin == at)
            break;
        Word word;
        std::size_t letters = begin;
        while (letters < at && isLetter(statement[letters]))
            word.letters += upper(statement[letters++]);
        word.valueBegin = letters;
        word.valueEnd = at;
        word.number = ncNumber(word.value(text));
        words.push_back(word);
    }
    if (words.empty())
        return std::nullopt;

    const bool toolCall = words.size() >= 2 && words[0].letters == "TOOL" &&
                          words[0].valueBegin == words[0].valueEnd && words[1].letters == "CALL";
    if (toolCall && words.size() >= 3) {
        const Word& called = words[2];
        const std::string_view name =
            text.substr(called.valueBegin - called.letters.size(),
                        called.valueEnd - called.valueBegin + called.letters.size());
        if (called.letters.empty() && called.number && *called.number >= 0)
            changeTo(std::to_string(std::int64_t(*called.number)), std::int64_t(*called.number),
                     number, text);
        else if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            changeTo(std::string(name.substr(1, name.size() - 2)), -1, number, text);
    }
    static constexpr std::string_view kMoves[] = {"L", "C", "CR", "CT", "CP", "LP", "LN"};
    const bool move =
        std::find(std::begin(kMoves), std::end(kMoves), words[0].letters) != std::end(kMoves) &&
        words[0].valueBegin == words[0].valueEnd;
    if (!toolCall && !move) {
        if (m_tool)
            for (const Word& word : words)
                if (word.is("M", 7) || word.is("M", 8))
                    addValue(m_record.tools[*m_tool].coolants,
                             {same(*word.number, 7) ? "M07" : "M08", *word.number, number,
                              bounded(text)});
        return std::nullopt;
    }
    bool rapid = false;
    for (const Word& word : words) {
        if (word.letters == "FMAX")
            rapid = true;
        else if (word.letters == "F" && word.number)
            m_feed = ToolWord{std::string(word.value(text)), *word.number, number, bounded(text)};
    }
    if (!m_tool)
        return std::nullopt;
    ToolUsage& tool = m_record.tools[*m_tool];
    for (const Word& word : words) {
        const ToolWord found{std::string(word.value(text)), word.number.value_or(0), number,
                             bounded(text)};
        if (toolCall && word.letters == "S" && word.number)
            addValue(tool.spindles, found);
        else if (toolCall && word.letters == "DL" && word.number)
            addValue(tool.lengthDeltas, found);
        else if (word.is("M", 7) || word.is("M", 8))
            addValue(tool.coolants,
                     {same(*word.number, 7) ? "M07" : "M08", *word.number, number, bounded(text)});
    }
    if (move && !rapid)
        countBlock();
    if (!toolCall) // S stands in a TOOL CALL only
        std::erase_if(words, [](const Word& word) { return word.letters == "S"; });
    return applySpeeds(number, text, words);
}

// Writes the list's spindle over every S of the tool in use and its feed over every F equal to
// the tool's main cutting feed; nothing else of the line changes.
std::optional<std::string> ToolUsageReader::applySpeeds(std::int64_t number, std::string_view text,
                                                        const std::vector<Word>& words)
{
    if (!m_speeds || !m_tool)
        return std::nullopt;
    const auto speed = m_speeds->find(m_record.tools[*m_tool].name);
    if (speed == m_speeds->end())
        return std::nullopt;
    std::string line(text);
    bool changed = false;
    for (auto word = words.rbegin(); word != words.rend(); ++word) {
        if (!word->number)
            continue;
        const std::string* replacement = nullptr;
        if (word->letters == "S" && speed->second.spindle)
            replacement = &*speed->second.spindle;
        else if (word->letters == "F" && speed->second.mainFeed &&
                 same(*word->number, *speed->second.mainFeed))
            replacement = &speed->second.feed;
        if (!replacement || ncNumber(*replacement) == word->number)
            continue;
        line.replace(word->valueBegin, word->valueEnd - word->valueBegin, *replacement);
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
