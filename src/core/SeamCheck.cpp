#include "SeamCheck.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace {

using Severity = SeamFinding::Severity;

constexpr std::array kRules = {
    SeamRuleInfo{SeamRule::ProgramEndInside, Severity::Error,
                 "program end kept before the last file"},
    SeamRuleInfo{SeamRule::TapeMarkInside, Severity::Error, "\"%\" line kept inside the program"},
    SeamRuleInfo{SeamRule::ToolChangeCut, Severity::Error, "tool change cut"},
    SeamRuleInfo{SeamRule::WorkOffsetCut, Severity::Error, "work offset selection cut"},
    SeamRuleInfo{SeamRule::SpindleStartCut, Severity::Warning, "spindle start cut"},
    SeamRuleInfo{SeamRule::LengthOffsetCut, Severity::Warning, "tool length offset call cut"},
    SeamRuleInfo{SeamRule::CoolantCut, Severity::Warning, "coolant on cut"},
    SeamRuleInfo{SeamRule::ProgramNumberInside, Severity::Warning,
                 "program number kept inside the program"},
};

enum class Dialect
{
    Iso,        // FANUC and alike: words of a letter and a number, comments in ( ) and after ;
    Heidenhain, // conversational: BEGIN PGM, TOOL CALL, L / CC / C blocks, comments after ;
};

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The line in capitals without its comments: what the machine reads of it.
std::string withoutComments(std::string_view line, Dialect dialect)
{
    std::string text;
    int depth = 0;
    for (char c : line) {
        if (c == ';')
            break;
        if (dialect == Dialect::Iso && c == '(') {
            ++depth;
            continue;
        }
        if (dialect == Dialect::Iso && c == ')' && depth > 0) {
            --depth;
            continue;
        }
        if (depth == 0)
            text += upper(c);
    }
    return text;
}

struct Word
{
    char letter;
    std::string number; // as written, sign and point included
};

// Letter-number words: "G54.1P1" gives G 54.1 and P 1. ISO allows blanks between a letter and
// its number ("G 54"); in a Heidenhain block they part words ("PGM 30" names a program), and the
// letters of plain words (L, FMAX) come without numbers and are passed over.
std::vector<Word> wordsOf(const std::string& text, Dialect dialect)
{
    std::vector<Word> words;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i++];
        if (c < 'A' || c > 'Z')
            continue;
        std::size_t end = i;
        while (dialect == Dialect::Iso && end < text.size() && text[end] == ' ')
            ++end;
        const std::size_t start = end;
        if (end < text.size() && (text[end] == '+' || text[end] == '-'))
            ++end;
        while (end < text.size() && (isDigit(text[end]) || text[end] == '.'))
            ++end;
        if (end > start && isDigit(text[end - 1]))
            words.push_back({c, text.substr(start, end - start)});
        i = std::max(i, end);
    }
    return words;
}

// A word's number when it is a whole number, as G54 or M06.
std::optional<long> wholeNumber(const Word& word)
{
    if (word.number.find('.') != std::string::npos)
        return std::nullopt;
    return std::strtol(word.number.c_str(), nullptr, 10);
}

bool hasWord(const std::vector<Word>& words, char letter, long number)
{
    return std::any_of(words.begin(), words.end(), [&](const Word& word) {
        return word.letter == letter && wholeNumber(word) == number;
    });
}

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// What a line does, as far as the checks care.
struct LineMeaning
{
    bool programEnd = false;
    bool programNumber = false;
    bool toolChange = false;
    bool workOffset = false;
    bool spindleStart = false;
    bool lengthOffset = false;
    bool coolantOn = false;
};

LineMeaning meaningOf(std::string_view line, Dialect dialect)
{
    const std::string text = withoutComments(line, dialect);
    const std::vector<Word> words = wordsOf(text, dialect);
    LineMeaning meaning;
    meaning.programEnd = hasWord(words, 'M', 2) || hasWord(words, 'M', 30);
    meaning.toolChange = hasWord(words, 'M', 6);
    meaning.spindleStart = hasWord(words, 'M', 3) || hasWord(words, 'M', 4);
    meaning.coolantOn = hasWord(words, 'M', 7) || hasWord(words, 'M', 8);
    if (dialect == Dialect::Heidenhain) {
        meaning.programEnd = meaning.programEnd || contains(text, "END PGM");
        meaning.programNumber = contains(text, "BEGIN PGM");
        meaning.toolChange = meaning.toolChange || contains(text, "TOOL CALL");
        meaning.workOffset = contains(text, "TRANS DATUM") || contains(text, "CYCL DEF 7 ") ||
                             text.ends_with("CYCL DEF 7") || contains(text, "CYCL DEF 7.");
        return meaning;
    }
    const std::size_t first = text.find_first_not_of(' ');
    meaning.programNumber = first != std::string::npos && text[first] == 'O' && !words.empty() &&
                            words.front().letter == 'O';
    meaning.lengthOffset = std::any_of(words.begin(), words.end(), [](const Word& word) {
        return word.letter == 'G' && std::strtol(word.number.c_str(), nullptr, 10) == 43;
    });
    meaning.workOffset = std::any_of(words.begin(), words.end(), [](const Word& word) {
        if (word.letter != 'G')
            return false;
        if (word.number == "54.1")
            return true;
        const std::optional<long> number = wholeNumber(word);
        return number && ((*number >= 54 && *number <= 59) || (*number >= 505 && *number <= 599));
    });
    return meaning;
}

// Heidenhain programs name themselves in their first lines; every other program is ISO.
Dialect dialectOf(const InputRecord& input)
{
    for (const auto* lines : {&input.cutTop, &input.firstKept, &input.notedKept})
        for (const NumberedLine& line : *lines) {
            const std::string text = withoutComments(line.text, Dialect::Heidenhain);
            if (contains(text, "BEGIN PGM") || contains(text, "TOOL CALL"))
                return Dialect::Heidenhain;
        }
    return Dialect::Iso;
}

class SeamChecker
{
public:
    explicit SeamChecker(const MergeReport& report) : m_report(report) {}

    std::vector<SeamFinding> run()
    {
        std::vector<const InputRecord*> copied;
        for (const InputRecord& input : m_report.inputs)
            if (input.outcome == InputRecord::Outcome::Copied)
                copied.push_back(&input);
        for (std::size_t i = 0; i < copied.size(); ++i)
            checkInput(*copied[i], i == 0, i + 1 == copied.size());
        return std::move(m_findings);
    }

private:
    void checkInput(const InputRecord& input, bool first, bool last)
    {
        const Dialect dialect = dialectOf(input);
        std::vector<SeamFinding> found;
        for (const auto* cut : {&input.cutTop, &input.cutBottom})
            for (const NumberedLine& line : *cut) {
                const LineMeaning meaning = meaningOf(line.text, dialect);
                const std::pair<bool, SeamRule> cutRules[] = {
                    {meaning.toolChange, SeamRule::ToolChangeCut},
                    {meaning.workOffset, SeamRule::WorkOffsetCut},
                    {meaning.spindleStart, SeamRule::SpindleStartCut},
                    {meaning.lengthOffset, SeamRule::LengthOffsetCut},
                    {meaning.coolantOn, SeamRule::CoolantCut},
                };
                for (const auto& [applies, rule] : cutRules)
                    if (applies)
                        found.push_back(finding(rule, input, line));
            }

        // Every kept line the checks need is among the noted, first and last ones.
        std::vector<const NumberedLine*> kept;
        for (const auto* lines : {&input.firstKept, &input.notedKept, &input.lastKept})
            for (const NumberedLine& line : *lines)
                kept.push_back(&line);
        std::sort(kept.begin(), kept.end(), [](const NumberedLine* a, const NumberedLine* b) {
            return a->number < b->number;
        });
        kept.erase(std::unique(kept.begin(), kept.end(),
                               [](const NumberedLine* a, const NumberedLine* b) {
                                   return a->number == b->number;
                               }),
                   kept.end());
        const std::int64_t firstLine = input.firstKept.empty() ? 0 : input.firstKept[0].number;
        const std::int64_t lastLine = input.lastKept.empty() ? 0 : input.lastKept.back().number;
        for (const NumberedLine* line : kept) {
            const LineMeaning meaning = meaningOf(line->text, dialect);
            const bool outputStart = first && line->number == firstLine;
            const bool outputEnd = last && line->number == lastLine;
            if (meaning.programEnd && !last)
                found.push_back(finding(SeamRule::ProgramEndInside, input, *line));
            if (isPercentLine(line->text) && !outputStart && !outputEnd)
                found.push_back(finding(SeamRule::TapeMarkInside, input, *line));
            if (meaning.programNumber && !first)
                found.push_back(finding(SeamRule::ProgramNumberInside, input, *line));
        }
        std::stable_sort(
            found.begin(), found.end(),
            [](const SeamFinding& a, const SeamFinding& b) { return a.line < b.line; });
        m_findings.insert(m_findings.end(), found.begin(), found.end());
    }

    static SeamFinding finding(SeamRule rule, const InputRecord& input, const NumberedLine& line)
    {
        return {rule, seamRuleInfo(rule).severity, input.path, line.number, line.text};
    }

    const MergeReport& m_report;
    std::vector<SeamFinding> m_findings;
};

} // namespace

const SeamRuleInfo& seamRuleInfo(SeamRule rule)
{
    return *std::find_if(kRules.begin(), kRules.end(),
                         [rule](const SeamRuleInfo& info) { return info.rule == rule; });
}

std::vector<SeamFinding> CheckSeams(const MergeReport& report)
{
    return SeamChecker(report).run();
}

bool mayMatterWhenKept(std::string_view line)
{
    // Precise enough that a long program notes a handful of its lines: "%" first, an O word
    // first, M2 or M30 (leading zeros allowed), BEGIN PGM or END PGM.
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const char start = upper(line[first]);
    if (start == '%' || (start == 'O' && first + 1 < line.size() && isDigit(line[first + 1])))
        return true;
    for (std::size_t at = first; at < line.size(); ++at) {
        const char c = upper(line[at]);
        if (c == 'P' && at + 2 < line.size() && upper(line[at + 1]) == 'G' &&
            upper(line[at + 2]) == 'M')
            return true;
        if (c != 'M')
            continue;
        std::size_t digits = at + 1;
        while (digits < line.size() && line[digits] == '0')
            ++digits;
        std::size_t end = digits;
        while (end < line.size() && isDigit(line[end]))
            ++end;
        const std::string_view number = line.substr(digits, end - digits);
        const bool whole = end == line.size() || line[end] != '.';
        if (whole && (number == "2" || number == "30"))
            return true;
    }
    return false;
}

bool isPercentLine(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '%';
}
