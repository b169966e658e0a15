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

// A whole number a tool can be numbered by, far within what an integer holds.
bool isToolNumber(double value)
{
    return value >= 0 && value < 1e15 && value == std::floor(value);
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

bool ToolUsageReader::Word::named(std::string_view name) const
{
    return letters.size() == name.size() &&
           std::equal(letters.begin(), letters.end(), name.begin(),
                      [](char a, char b) { return upper(a) == b; });
}

bool ToolUsageReader::Word::is(std::string_view address, double code) const
{
    return named(address) && number && same(*number, code);
}

std::optional<double> ncNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const std::size_t sign = !text.empty() && text.front() == '-' ? 1 : 0;
    bool digit = false;
    bool point = false;
    for (const char c : text.substr(sign)) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    // Up to 15 digits the digits and the power of ten are exact, and their quotient is rounded
    // once, as the full conversion rounds it: the same value, many times faster.
    if (text.size() - sign <= 15) {
        std::int64_t digits = 0;
        int decimals = -1;
        for (const char c : text.substr(sign)) {
            if (c == '.') {
                decimals = 0;
                continue;
            }
            digits = digits * 10 + (c - '0');
            decimals += decimals >= 0 ? 1 : 0;
        }
        static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double value = double(digits) / kPowers[std::max(decimals, 0)];
        return sign ? -value : value;
    }
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return std::nullopt;
    return value;
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

namespace {

void addValue(std::vector<ToolWord>& values, std::string_view value, double number,
              std::int64_t line, std::string_view text)
{
    const bool known = std::any_of(values.begin(), values.end(), [&](const ToolWord& known) {
        return same(known.number, number);
    });
    if (!known && values.size() < ToolUsage::kMaxValues)
        values.push_back({std::string(value), number, line, bounded(text)});
}

std::string_view coolantCode(const ToolUsageReader::Word& word)
{
    return same(*word.number, 7) ? "M07" : "M08";
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

// A feed stands from its first word in the blocks of the tool in use: the same feed again is
// no new one, which spares a copy of the line where every block repeats it.
void ToolUsageReader::setFeed(const Word& word, std::string_view text, std::int64_t line)
{
    if (!word.number)
        m_feed.reset();
    else if (!m_feed || !same(m_feed->number, *word.number) || m_feedTool != m_tool)
        m_feed = ToolWord{std::string(word.value(text)), *word.number, line, bounded(text)};
    m_feedTool = m_tool;
}

std::optional<std::string> ToolUsageReader::readIso(std::int64_t number, std::string_view text)
{
    std::vector<Word>& words = m_words;
    words.clear();
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
        Word word{text.substr(i, 1)};
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
        // Of axis words only the letter counts.
        if (std::string_view("GMTSFHD").find(upper(c)) != std::string_view::npos)
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
        if (!word->named("T") || !word->number || !isToolNumber(*word->number))
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

    // Macro calls take letters as arguments; G04 to G92 below take axis words that are no moves.
    bool arguments = false;
    bool lengthOffset = false;
    bool radiusOffset = false;
    for (const Word& word : words) {
        if (!word.number || !word.named("G") || *word.number != std::floor(*word.number) ||
            *word.number < 0 || *word.number > 1000)
            continue;
        switch (const int code = int(*word.number)) {
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
            arguments = true;
            break;
        case 41:
        case 42:
            radiusOffset = true;
            break;
        case 43:
        case 44:
            lengthOffset = true;
            break;
        default:
            if (code >= 73 && code <= 89) // canned cycles and their cancel: no cutting moves
                m_motion = 0;
        }
    }
    if (arguments)
        return std::nullopt;
    for (const Word& word : words)
        if (word.named("F"))
            setFeed(word, text, number);
    if (!m_tool)
        return std::nullopt;
    ToolUsage& tool = m_record.tools[*m_tool];
    bool move = false;
    for (const Word& word : words) {
        if (word.named("S") && word.number)
            addValue(tool.spindles, word.value(text), *word.number, number, text);
        else if (word.named("H") && word.number && lengthOffset)
            addValue(tool.lengthOffsets, word.value(text), *word.number, number, text);
        else if (word.named("D") && word.number && radiusOffset)
            addValue(tool.radiusOffsets, word.value(text), *word.number, number, text);
        else if (word.is("M", 7) || word.is("M", 8))
            addValue(tool.coolants, coolantCode(word), *word.number, number, text);
        move = move || std::string_view("XYZABCUVWIJKR").find(upper(word.letters[0])) !=
                           std::string_view::npos;
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
    std::vector<Word>& words = m_words;
    words.clear();
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
            ++letters;
        word.letters = statement.substr(begin, letters - begin);
        word.valueBegin = letters;
        word.valueEnd = at;
        word.number = ncNumber(word.value(text));
        words.push_back(word);
    }
    if (words.empty())
        return std::nullopt;

    const bool toolCall = words.size() >= 2 && words[0].named("TOOL") &&
                          words[0].valueBegin == words[0].valueEnd && words[1].named("CALL");
    if (toolCall && words.size() >= 3) {
        const Word& called = words[2];
        const std::string_view name =
            text.substr(called.valueBegin - called.letters.size(),
                        called.valueEnd - called.valueBegin + called.letters.size());
        if (called.letters.empty() && called.number && isToolNumber(*called.number))
            changeTo(std::to_string(std::int64_t(*called.number)), std::int64_t(*called.number),
                     number, text);
        else if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
            changeTo(std::string(name.substr(1, name.size() - 2)), -1, number, text);
    }
    static constexpr std::string_view kMoves[] = {"L", "C", "CR", "CT", "CP", "LP", "LN"};
    const bool move = std::any_of(std::begin(kMoves), std::end(kMoves),
                                  [&](std::string_view move) { return words[0].named(move); }) &&
                      words[0].valueBegin == words[0].valueEnd;
    if (!toolCall && !move) {
        if (m_tool)
            for (const Word& word : words)
                if (word.is("M", 7) || word.is("M", 8))
                    addValue(m_record.tools[*m_tool].coolants, coolantCode(word), *word.number,
                             number, text);
        return std::nullopt;
    }
    bool rapid = false;
    for (const Word& word : words) {
        if (word.named("FMAX"))
            rapid = true;
        else if (word.named("F") && word.number)
            setFeed(word, text, number);
    }
    if (!m_tool)
        return std::nullopt;
    ToolUsage& tool = m_record.tools[*m_tool];
    for (const Word& word : words) {
        if (toolCall && word.named("S") && word.number)
            addValue(tool.spindles, word.value(text), *word.number, number, text);
        else if (toolCall && word.named("DL") && word.number)
            addValue(tool.lengthDeltas, word.value(text), *word.number, number, text);
        else if (word.is("M", 7) || word.is("M", 8))
            addValue(tool.coolants, coolantCode(word), *word.number, number, text);
    }
    if (move && !rapid)
        countBlock();
    if (!toolCall) // S stands in a TOOL CALL only
        std::erase_if(words, [](const Word& word) { return word.named("S"); });
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
        if (word->named("S") && speed->second.spindle)
            replacement = &*speed->second.spindle;
        else if (word->named("F") && speed->second.mainFeed &&
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
