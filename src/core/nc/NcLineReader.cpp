// The reader of an NC line's words and facts, character by character.

#include "NcLineReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ranges>
#include <utility>

namespace {

constexpr std::size_t kMaxName = 64;

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool isLetter(char c)
{
    return c >= 'A' && c <= 'Z';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Up to this many digits and point, the digits and the power of ten are exact, and their quotient
// is rounded once, as the full conversion rounds it: the same value, many times faster.
constexpr int kMaxPlainBytes = 15;

double plainDecimal(std::int64_t digits, int decimals)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    return double(digits) / kPowers[decimals];
}

// A number as an NC word writes it: its whole part and up to three decimals, so that G54.1 and
// G54.10 are one code and G54. is G54. Its value too, as ncNumber reads it, while it is written
// plainly: a sign, then digits and one point, without blanks inside.
struct Number
{
    std::int64_t whole = 0;
    int thousandths = 0;
    int decimals = 0;
    bool point = false;
    bool sign = false;
    bool digits = false;
    bool negative = false;
    bool plain = true;
    bool gap = false; // a blank since its value began
    std::int64_t mantissa = 0;
    int bytes = 0;
    int fraction = 0;

    void add(char c)
    {
        plain = plain && !gap && !(c == '.' && point);
        if (++bytes <= kMaxPlainBytes && c != '.') {
            mantissa = mantissa * 10 + (c - '0');
            fraction += point ? 1 : 0;
        }
        if (c == '.') {
            point = true;
            return;
        }
        digits = true;
        const int digit = c - '0';
        if (!point) {
            if (whole < (std::int64_t(1) << 58))
                whole = whole * 10 + digit;
        } else if (decimals < 3) {
            static constexpr int kScale[] = {100, 10, 1};
            thousandths += digit * kScale[decimals++];
        }
    }
    // A run of digits and points, as add takes them one by one. Within the plain bytes and
    // before a point no bound is met, and the whole part is the digits so far.
    void addRun(const char* p, const char* const end)
    {
        if (gap || point || bytes + (end - p) > kMaxPlainBytes) {
            for (; p < end; ++p)
                add(*p);
            return;
        }
        bytes += int(end - p);
        std::int64_t value = mantissa;
        const char* const start = p;
        for (; p < end && *p != '.'; ++p)
            value = value * 10 + (*p - '0');
        digits = digits || p > start;
        whole = value;
        if (p < end) {
            // On locals: the bytes read might alias the members, stored again for every digit.
            point = true;
            ++p;
            int decimalDigits = 0;
            int firstDecimals = 0; // the first three, as thousandths
            bool secondPoint = false;
            for (; p < end; ++p) {
                if (*p == '.') {
                    secondPoint = true;
                    continue;
                }
                const int digit = *p - '0';
                value = value * 10 + digit;
                if (decimalDigits < 3) {
                    static constexpr int kScale[] = {100, 10, 1};
                    firstDecimals += digit * kScale[decimalDigits];
                }
                ++decimalDigits;
            }
            plain = plain && !secondPoint;
            digits = digits || decimalDigits > 0;
            fraction = decimalDigits;
            decimals = std::min(decimalDigits, 3);
            thousandths = firstDecimals;
        }
        mantissa = value;
    }
    bool started() const { return digits || point || sign; }
    std::optional<double> value() const
    {
        if (!plain || !digits || bytes > kMaxPlainBytes)
            return std::nullopt;
        const double magnitude = plainDecimal(mantissa, fraction);
        return negative ? -magnitude : magnitude;
    }
    bool is(std::int64_t code, int codeThousandths = 0) const
    {
        return whole == code && thousandths == codeThousandths;
    }
    bool wholeIn(std::int64_t low, std::int64_t high) const
    {
        return thousandths == 0 && whole >= low && whole <= high;
    }
};

// What the M codes both dialects share do: end the program, start or stop the spindle, change
// the tool, turn the coolant on or off.
std::uint32_t machineFunctionFacts(std::int64_t code)
{
    switch (code) {
    case 2:
    case 30:
        return NcLineFacts::ProgramEnd;
    case 3:
    case 4:
        return NcLineFacts::SpindleStart;
    case 5:
        return NcLineFacts::SpindleStop;
    case 6:
        return NcLineFacts::ToolChange;
    case 7:
    case 8:
        return NcLineFacts::CoolantOn;
    case 9:
        return NcLineFacts::CoolantOff;
    default:
        return 0;
    }
}

bool isAxis(char letter)
{
    switch (letter) {
    case 'X':
    case 'Y':
    case 'Z':
    case 'A':
    case 'B':
    case 'C':
    case 'U':
    case 'V':
    case 'W':
        return true;
    default:
        return false;
    }
}

// The words a reader that keeps words keeps of every ISO line: codes, tools, speeds, offsets.
bool isKeptCode(char letter)
{
    switch (letter) {
    case 'G':
    case 'M':
    case 'T':
    case 'S':
    case 'F':
    case 'H':
    case 'D':
        return true;
    default:
        return false;
    }
}

// The words that say where a tool goes: the axes, a cycle's R and an arc's centre.
bool isAxisWord(char letter)
{
    return isAxis(letter) || letter == 'R' || letter == 'I' || letter == 'J' || letter == 'K';
}

} // namespace

// ISO words: a letter and a number, blanks anywhere ignored as the control ignores them ("M 30",
// "G<TAB>54"), comments in parentheses and after ";".
namespace {

// What an ISO lexer knows of the line it reads, but its label and selections: plain values, set
// afresh for every line at the cost of a copy.
struct IsoLineState
{
    std::size_t m_column = 0;
    std::size_t m_wordBegin = 0; // columns of the word being read
    std::size_t m_wordEnd = 0;
    int m_depth = 0;
    bool m_rest = false;
    bool m_statement = false;
    char m_letter = 0;
    std::uint32_t m_run = 0; // the first four letters in a row, one a byte
    int m_runLength = 0;
    Number m_number;
    bool m_expression = false;
    int m_words = 0;
    std::uint32_t m_facts = 0;
    bool m_axis = false;
    bool m_notAMove = false;
    bool m_subprogramCall = false;
    bool m_p = false;
    std::int64_t m_pValue = 0;
    bool m_goto = false;
    std::int64_t m_gotoValue = 0;
    bool m_awaitsP = false; // the word before was G54.1
};

} // namespace

class NcLineReader::IsoLexer : private IsoLineState
{
public:
    void feed(std::string_view bytes)
    {
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        while (p < end) {
            // The digits of a word in a row, most of a line's bytes, read as one run.
            if (m_letter != 0 && !m_expression && !m_rest && m_depth == 0 &&
                (isDigit(*p) || *p == '.')) {
                const char* const start = p;
                while (p < end && (isDigit(*p) || *p == '.'))
                    ++p;
                m_number.addRun(start, p);
                m_column += std::size_t(p - start);
                m_wordEnd = m_column;
                m_statement = true;
                continue;
            }
            step(*p++);
        }
    }

    bool statement() const { return m_statement; }

    bool readWordsAlone(std::string_view line);

    NcLineFacts finish();
    void keepWords(bool keep) { m_keepWords = keep; }
    void keepAxisWords(bool keep) { m_keepAxisWords = keep; }
    void recycle(std::vector<NcWord>&& words)
    {
        if (words.capacity() > m_spare.capacity()) {
            words.clear();
            m_spare = std::move(words);
        }
    }

private:
    void step(char c)
    {
        const std::size_t column = m_column++;
        if (m_rest)
            return;
        if (m_depth > 0) {
            m_depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            return;
        }
        c = upper(c);
        if (isLetter(c)) {
            letter(c, column);
            return;
        }
        if (isDigit(c) || c == '.') {
            digit(c, column);
            return;
        }
        switch (c) {
        case ' ':
        case '\t':
        case '\r':
        case '\f':
            // A value read as written: a line end or form feed before it is no blank of it.
            if (m_letter != 0 && m_number.started())
                m_number.gap = true;
            else if (m_letter != 0 && c != ' ' && c != '\t')
                m_number.plain = false;
            return;
        case '(':
            endWord();
            m_depth = 1;
            return;
        case ';':
            endWord();
            m_rest = true;
            return;
        case '+':
        case '-':
            if (m_letter != 0 && !m_number.digits && !m_number.sign && !m_number.point) {
                m_number.sign = true;
                m_number.negative = c == '-';
                return;
            }
            break;
        case '#':
        case '[':
            if (m_letter != 0 && !m_number.digits)
                m_expression = true; // a value the line computes: no code to read
            m_statement = true;
            return;
        case '/':
            if (m_words == 0 && m_letter == 0)
                return; // block delete
            break;
        case '%':
            endWord();
            return;
        default:
            break;
        }
        endWord();
        m_statement = true;
    }

    void letter(char c, std::size_t column)
    {
        if (m_letter != 0 && !m_number.started() && !m_expression) {
            // Letters in a row: a macro keyword such as GOTO, IF or SQRT. A value begun, if only
            // by its point ("X. M03"), ends the word.
            m_run = m_runLength < 4 ? (m_run << 8) | std::uint8_t(c) : m_run;
            ++m_runLength;
        } else {
            endWord();
            m_run = std::uint8_t(c);
            m_runLength = 1;
            m_wordBegin = column;
        }
        m_letter = c;
        m_statement = true;
    }

    void digit(char c, std::size_t column)
    {
        if (m_letter != 0 && !m_expression) {
            m_number.add(c);
            m_wordEnd = column + 1;
        }
        m_statement = true;
    }

    void endWord();
    void readWord(char letter, const Number& number, bool expression);
    void word(char letter, const Number& number);
    void gCode(const Number& g);
    void mCode(const Number& m);

    NcLabel m_label;
    std::vector<NcLineFacts::OffsetSelection> m_offsets;
    bool m_keepWords = false;
    bool m_keepAxisWords = false;
    std::vector<NcWord> m_kept;
    std::vector<NcWord> m_spare; // the words of a line read before, for the next line's
};

NcLineFacts NcLineReader::IsoLexer::finish()
{
    endWord();
    NcLineFacts facts;
    facts.facts = m_facts;
    if (m_axis && !m_notAMove)
        facts.facts |= NcLineFacts::AxisMove;
    if (m_subprogramCall) {
        facts.facts |= NcLineFacts::Call;
        if (m_p)
            facts.target = {'O', m_pValue, {}};
    }
    if ((m_facts & NcLineFacts::Return) && m_p)
        facts.target = {'N', m_pValue, {}};
    if (m_goto) {
        facts.facts |= NcLineFacts::Call;
        facts.target = {'N', m_gotoValue, {}};
    }
    facts.label = std::exchange(m_label, {});
    facts.offsets = std::exchange(m_offsets, {});
    facts.words = std::exchange(m_kept, std::move(m_spare));
    m_spare.clear();
    // Copied from a fresh state made once: one made here would be written and read back at once.
    static const IsoLineState kFresh;
    static_cast<IsoLineState&>(*this) = kFresh;
    // A line of moves holds a handful of words: the room a line before had, or room for eight,
    // one allocation instead of one per doubling.
    if (m_keepAxisWords && m_kept.capacity() < 8)
        m_kept.reserve(8);
    return facts;
}

// A line of words alone, each a letter, a sign or none, and digits and points, parted by blanks
// or not ("N10 G01 Y2 F300.", "G1X5"), as most lines of moves are: read in one pass, its
// words then ended one by one as byte by byte. False, having read nothing, for any other line.
bool NcLineReader::IsoLexer::readWordsAlone(std::string_view line)
{
    // Where each word stands; nothing to construct, for most lines have but a few.
    struct Word
    {
        char letter;
        char sign;
        std::size_t begin;  // of its letter
        std::size_t digits; // of its digits and points
        std::size_t end;
    };
    std::array<Word, 16> words;
    std::size_t count = 0;
    const char* const start = line.data();
    const char* const end = start + line.size();
    for (const char* p = start; p < end;) {
        if (isBlank(*p)) {
            ++p;
            continue;
        }
        const char letter = upper(*p);
        if (!isLetter(letter) || count == words.size())
            return false;
        Word& word = words[count++];
        word.letter = letter;
        word.begin = std::size_t(p - start);
        word.sign = ++p < end && (*p == '-' || *p == '+') ? *p++ : 0;
        const char* const digits = p;
        while (p < end && (isDigit(*p) || *p == '.'))
            ++p;
        if (p == digits || (p < end && !isBlank(*p) && !isLetter(upper(*p))))
            return false; // a letter alone, a keyword, or a value that goes on
        word.digits = std::size_t(digits - start);
        word.end = std::size_t(p - start);
    }
    for (const Word& word : words | std::views::take(count)) {
        m_letter = word.letter;
        m_run = std::uint8_t(word.letter);
        m_runLength = 1;
        m_wordBegin = word.begin;
        m_wordEnd = word.end;
        m_number.sign = word.sign != 0;
        m_number.negative = word.sign == '-';
        m_number.addRun(start + word.digits, start + word.end);
        m_statement = true;
        endWord();
    }
    m_column = line.size();
    return true;
}

void NcLineReader::IsoLexer::endWord()
{
    if (m_letter == 0)
        return;
    const char letter = std::exchange(m_letter, 0);
    const bool expression = std::exchange(m_expression, false);
    readWord(letter, m_number, expression);
    // From a fresh number made once: one made here would be written and read back at once.
    static const Number kFresh;
    m_number = kFresh;
}

void NcLineReader::IsoLexer::readWord(char letter, const Number& number, bool expression)
{
    const bool keyword = m_runLength > 1;
    const bool awaitedP = std::exchange(m_awaitsP, false);
    if (expression && isAxis(letter))
        m_axis = true; // an axis moved to a computed place
    if (m_keepWords && !keyword && (expression || number.digits) &&
        (isKeptCode(letter) || (m_keepAxisWords && isAxisWord(letter)))) {
        // Made where it is kept: a word made apart and moved in costs its address twice.
        NcWord& kept = m_kept.emplace_back();
        kept.address.assign(1, letter);
        kept.begin = m_wordBegin + 1;
        kept.end = expression ? m_wordBegin + 1 : m_wordEnd;
        kept.computed = expression;
        if (!expression)
            kept.number = number.value();
    }
    if (expression || !number.digits)
        return;
    if (keyword) {
        constexpr std::uint32_t kGoto = ('G' << 24) | ('O' << 16) | ('T' << 8) | 'O';
        if (m_runLength == 4 && m_run == kGoto) {
            m_goto = true;
            m_gotoValue = number.whole;
        }
        return;
    }
    if (awaitedP && letter == 'P' && number.thousandths == 0 && !number.sign) {
        // G54.1 P7: one selection, rewritten as one.
        NcLineFacts::OffsetSelection& selection = m_offsets.back();
        selection.offset = WorkOffset::fromCode(54, 100, number.whole);
        selection.end = m_wordEnd;
    }
    word(letter, number);
    ++m_words;
}

void NcLineReader::IsoLexer::word(char letter, const Number& number)
{
    if (isAxis(letter)) {
        m_axis = true;
        return;
    }
    switch (letter) {
    case 'G':
        gCode(number);
        break;
    case 'M':
        mCode(number);
        break;
    case 'O':
        if (m_words == 0) {
            m_facts |= NcLineFacts::ProgramStart;
            m_label = {'O', number.whole, {}};
        }
        break;
    case 'N':
        if (m_words == 0)
            m_label = {'N', number.whole, {}};
        break;
    case 'P':
        m_p = true;
        m_pValue = number.whole;
        break;
    default:
        break;
    }
}

void NcLineReader::IsoLexer::gCode(const Number& g)
{
    if (g.wholeIn(54, 59) || g.is(54, 100) || g.wholeIn(505, 599)) {
        m_facts |= NcLineFacts::WorkOffset;
        m_offsets.push_back({m_wordBegin, m_wordEnd,
                             WorkOffset::fromCode(int(g.whole), g.thousandths, std::nullopt)});
        m_awaitsP = g.is(54, 100);
    } else if (g.is(10) || g.is(52) || g.is(92)) {
        m_facts |= NcLineFacts::OffsetShift;
    } else if (g.whole == 43)
        m_facts |= NcLineFacts::LengthOffset;
    else if (g.is(65) || g.is(66))
        m_subprogramCall = true;
    // Codes whose axis words are no move in work coordinates: a dwell, settings of offsets and
    // frames, the returns to the reference and machine positions, a macro's arguments.
    if (g.is(4) || g.is(10) || g.is(28) || g.is(30) || g.is(50, 100) || g.is(51) || g.is(51, 100) ||
        g.is(52) || g.is(53) || g.is(65) || g.is(66) || g.is(68) || g.is(92))
        m_notAMove = true;
}

void NcLineReader::IsoLexer::mCode(const Number& m)
{
    if (m.thousandths != 0)
        return;
    m_facts |= machineFunctionFacts(m.whole);
    if (m.whole == 98 || m.whole == 198)
        m_subprogramCall = true;
    else if (m.whole == 99)
        m_facts |= NcLineFacts::Return;
}

// Heidenhain blocks: a block number, then a statement of words parted by blanks ("L X+10 R0
// FMAX", "TOOL CALL 1 Z S3000"); comments after ";".
class NcLineReader::HeidenhainLexer
{
public:
    void feed(std::string_view bytes)
    {
        for (const char c : bytes)
            step(c);
    }

    void step(char c)
    {
        const std::size_t column = m_column++;
        if (m_rest)
            return;
        if (c == '"')
            m_quoted = !m_quoted;
        if (!m_quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == ';')) {
            endToken();
            m_rest = c == ';';
            return;
        }
        if (m_token.empty())
            m_tokenBegin = column;
        m_tokenEnd = column + 1;
        if (m_token.size() < kMaxName)
            m_token += upper(c);
    }

    void keepWords(bool keep) { m_keepWords = keep; }

    // The statement is one that only Heidenhain programs write.
    bool heidenhainStatement() const { return m_heidenhainStart; }

    NcLineFacts finish()
    {
        endToken();
        NcLineFacts facts;
        facts.facts = m_facts;
        const std::string& first = m_words[0];
        const std::string& second = m_words[1];
        if (first == "BEGIN" && second == "PGM") {
            facts.facts |= NcLineFacts::ProgramStart;
            facts.programName = m_words[2];
        } else if (first == "END" && second == "PGM") {
            facts.facts |= NcLineFacts::ProgramEnd;
            facts.programName = m_words[2];
        } else if (first == "TOOL" && second == "CALL") {
            facts.facts |= NcLineFacts::ToolChange;
        } else if ((first == "CYCL" && second == "DEF" &&
                    (m_words[2] == "7" || m_words[2].starts_with("7.") || m_words[2] == "247")) ||
                   (first == "TRANS" && second == "DATUM")) {
            facts.facts |= NcLineFacts::WorkOffset;
        } else if (first == "CYCL" && second == "CALL") {
            facts.facts |= NcLineFacts::AxisMove;
        } else if (first == "CALL" && (second == "LBL" || second == "PGM")) {
            facts.facts |= NcLineFacts::Call;
            if (second == "LBL")
                facts.target = label(m_words[2]);
        } else if (first == "LBL" && second != "0") {
            facts.label = label(second);
        } else if (first == "APPR" || first == "DEP" || (isPathWord(first) && m_coordinate)) {
            facts.facts |= NcLineFacts::AxisMove;
        }
        if (m_jump) {
            facts.facts |= NcLineFacts::Call;
            facts.target = m_jumpTarget;
        }
        facts.words = std::move(m_kept);
        const bool keepWords = m_keepWords;
        *this = HeidenhainLexer();
        m_keepWords = keepWords;
        return facts;
    }

private:
    static bool isPathWord(const std::string& word)
    {
        static constexpr std::array kPaths = {"L", "C", "CC", "CR", "CT", "LP", "CP", "CTP"};
        return std::find(kPaths.begin(), kPaths.end(), word) != kPaths.end();
    }

    static NcLabel label(const std::string& word)
    {
        if (!word.empty() && std::all_of(word.begin(), word.end(), isDigit)) {
            Number number;
            for (char c : word)
                number.add(c);
            return {'L', number.whole, {}};
        }
        std::string name = word;
        std::erase(name, '"');
        return {'L', 0, name};
    }

    // A coordinate: an axis, incremental or not, or a polar value, with its number.
    static bool isCoordinate(const std::string& word)
    {
        std::size_t at = word.starts_with("I") && word.size() > 1 ? 1 : 0;
        if (word.compare(at, 2, "PA") == 0 || word.compare(at, 2, "PR") == 0)
            at += 2;
        else if (at < word.size() && isAxis(word[at]))
            at += 1;
        else
            return false;
        return at < word.size() &&
               (word[at] == '+' || word[at] == '-' || word[at] == 'Q' || isDigit(word[at]));
    }

    void endToken()
    {
        if (m_token.empty())
            return;
        std::string word;
        word.swap(m_token);
        if (m_count == 0 && !m_numbered && std::all_of(word.begin(), word.end(), isDigit)) {
            m_numbered = true; // the block number
            return;
        }
        if (m_keepWords) {
            const std::size_t letters = std::size_t(
                std::find_if(word.begin(), word.end(), [](char c) { return !isLetter(c); }) -
                word.begin());
            m_kept.push_back({word.substr(0, letters), m_tokenBegin + letters, m_tokenEnd, false});
        }
        if (m_count < m_words.size())
            m_words[m_count] = word;
        if (m_count == 0) {
            static constexpr std::array kStatements = {
                "BEGIN", "END", "TOOL", "CYCL", "CALL", "LBL", "FN", "BLK", "APPR", "DEP",
                "TRANS", "L",   "C",    "CC",   "CR",   "CT",  "LP", "CP",  "CTP"};
            m_heidenhainStart =
                std::find(kStatements.begin(), kStatements.end(), word) != kStatements.end();
        }
        if (m_count > 0 && isCoordinate(word))
            m_coordinate = true;
        if (m_previous[0] == "GOTO" && m_previous[1] == "LBL" && !m_jump) {
            m_jump = true;
            m_jumpTarget = label(word);
        }
        if (word.size() > 1 && word[0] == 'M' && std::all_of(word.begin() + 1, word.end(), isDigit))
            mCode(word);
        m_previous[0] = m_previous[1];
        m_previous[1] = word;
        ++m_count;
    }

    void mCode(const std::string& word)
    {
        Number number;
        for (char c : word.substr(1))
            number.add(c);
        m_facts |= machineFunctionFacts(number.whole);
    }

    bool m_rest = false;
    bool m_quoted = false;
    std::size_t m_column = 0;
    std::size_t m_tokenBegin = 0; // columns of the token
    std::size_t m_tokenEnd = 0;
    bool m_keepWords = false;
    std::vector<NcWord> m_kept;
    std::string m_token;
    bool m_numbered = false;
    std::size_t m_count = 0;
    std::array<std::string, 3> m_words{};
    std::array<std::string, 2> m_previous{};
    bool m_heidenhainStart = false;
    bool m_coordinate = false;
    bool m_jump = false;
    NcLabel m_jumpTarget;
    std::uint32_t m_facts = 0;
};

NcLineReader::NcLineReader(Dialect dialect)
    : m_dialect(dialect), m_iso(std::make_unique<IsoLexer>()),
      m_heidenhain(std::make_unique<HeidenhainLexer>())
{}

NcLineReader::~NcLineReader() = default;

void NcLineReader::keepWords(bool keep)
{
    m_iso->keepWords(keep);
    m_heidenhain->keepWords(keep);
}

void NcLineReader::keepAxisWords(bool keep)
{
    m_iso->keepAxisWords(keep);
}

void NcLineReader::recycle(std::vector<NcWord>&& words)
{
    m_iso->recycle(std::move(words));
}
NcLineReader::NcLineReader(NcLineReader&&) noexcept = default;
NcLineReader& NcLineReader::operator=(NcLineReader&&) noexcept = default;

namespace {

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && c != '\t' && c != '\r' && c != '\f';
}

// Control bytes are rare: eight bytes at a time tell whether one is below 0x20, and only such a
// word is looked at closer.
bool holdsControlByte(std::string_view bytes)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        if (((word - kOnes * 0x20) & ~word & (kOnes * 0x80)) == 0)
            continue;
        for (std::size_t i = at; i < at + 8; ++i)
            if (isControlByte(bytes[i]))
                return true;
    }
    for (; at < bytes.size(); ++at)
        if (isControlByte(bytes[at]))
            return true;
    return false;
}

} // namespace

void NcLineReader::feed(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (!m_control && holdsControlByte(bytes))
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            if (isControlByte(bytes[at])) {
                m_control = true;
                m_controlColumn = m_column + at;
                m_controlByte = static_cast<unsigned char>(bytes[at]);
                break;
            }
        }
    if (m_leadingBlanks) {
        // A loop of its own: find_first_not_of looks for each byte in the set with a call.
        const auto first = std::find_if_not(bytes.begin(), bytes.end(), isBlank);
        if (first != bytes.end()) {
            m_leadingBlanks = false;
            m_percentLine = *first == '%';
        }
    }
    m_column += bytes.size();
    if (m_dialect != Dialect::Heidenhain)
        m_iso->feed(bytes);
    if (m_dialect != Dialect::Iso)
        m_heidenhain->feed(bytes);
}

NcLineFacts NcLineReader::read(std::string_view line)
{
    // Most lines of an ISO program are words alone: nothing in them for the byte by byte reading.
    if (m_dialect == Dialect::Iso && m_column == 0 && m_iso->readWordsAlone(line))
        return finish();
    feed(line);
    return finish();
}

NcLineFacts NcLineReader::finish()
{
    NcLineFacts facts = finishLexers();
    if (m_percentLine)
        facts.facts = NcLineFacts::TapeMark;
    if (m_control) {
        facts.facts |= NcLineFacts::ControlByte;
        facts.controlByteColumn = m_controlColumn;
        facts.controlByte = m_controlByte;
    }
    m_column = 0;
    m_leadingBlanks = true;
    m_percentLine = false;
    m_control = false;
    return facts;
}

// The facts of the dialect's lexer; both are read until a statement decides the dialect.
NcLineFacts NcLineReader::finishLexers()
{
    // Once decided, one lexer was fed and only its facts are made: they are large.
    if (m_dialect == Dialect::Iso)
        return m_iso->finish();
    if (m_dialect == Dialect::Heidenhain)
        return m_heidenhain->finish();
    const bool statement = m_iso->statement();
    NcLineFacts iso = m_iso->finish();
    const bool heidenhainStatement = m_heidenhain->heidenhainStatement();
    NcLineFacts heidenhain = m_heidenhain->finish();
    if (statement && !m_percentLine)
        m_dialect = heidenhainStatement ? Dialect::Heidenhain : Dialect::Iso;
    return m_dialect == Dialect::Heidenhain ? std::move(heidenhain) : std::move(iso);
}

std::string ncDecimal(double value, int decimals)
{
    char text[64];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::string written(text, error == std::errc() ? end : text);
    if (written.find('.') == std::string::npos)
        written += '.';
    while (!written.empty() && written.back() == '0')
        written.pop_back();
    return written == "-0." ? "0." : written;
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
    if (text.size() - sign <= kMaxPlainBytes) {
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
        const double value = plainDecimal(digits, std::max(decimals, 0));
        return sign ? -value : value;
    }
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return std::nullopt;
    return value;
}

// A word's value as written, without the blanks around it.
std::string_view wordValue(std::string_view text, const NcWord& word)
{
    std::string_view value = text.substr(word.begin, word.end - word.begin);
    while (!value.empty() && isBlank(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && isBlank(value.back()))
        value.remove_suffix(1);
    return value;
}

// Its number, blanks inside it ignored as the control ignores them ("S 12 000").
std::optional<double> wordNumberOfText(std::string_view text, const NcWord& word)
{
    if (word.computed)
        return std::nullopt;
    const std::string_view value = wordValue(text, word);
    // A loop of its own: find_first_of looks for each byte in the set with a call.
    if (std::none_of(value.begin(), value.end(), isBlank))
        return ncNumber(value);
    std::string joined(value);
    std::erase_if(joined, isBlank);
    return ncNumber(joined);
}

bool isWordCode(std::string_view text, const NcWord& word, std::string_view address, double code)
{
    // One letter, as every ISO address, compared as a letter: a string compare costs a call.
    const bool sameAddress =
        address.size() == 1 ? word.is(address.front()) : std::string_view(word.address) == address;
    if (!sameAddress)
        return false;
    const std::optional<double> number = wordNumber(text, word);
    return number && std::fabs(*number - code) < 1e-9;
}

IsoToolWords isoToolWords(std::string_view line, const std::vector<NcWord>& words)
{
    // Most lines are moves: neither a T nor an M to read.
    if (std::none_of(words.begin(), words.end(),
                     [](const NcWord& word) { return word.is('T') || word.is('M'); }))
        return {};
    const auto m06 = std::find_if(words.begin(), words.end(), [&](const NcWord& word) {
        return isWordCode(line, word, "M", 6);
    });
    std::optional<std::int64_t> named;
    std::optional<std::int64_t> lastNamed;
    bool namedBeforeChange = false;
    for (auto word = words.begin(); word != words.end(); ++word) {
        const std::optional<double> tool = word->is('T') ? wordNumber(line, *word) : std::nullopt;
        if (!tool || *tool < 0 || *tool >= 1e15 || *tool != std::floor(*tool))
            continue;
        const auto value = std::int64_t(*tool);
        if (!named || (word < m06 && !namedBeforeChange)) {
            named = value;
            namedBeforeChange = word < m06;
        }
        lastNamed = value;
    }
    IsoToolWords call;
    call.change = m06 != words.end();
    if (!call.change) {
        call.calls = lastNamed;
        return call;
    }
    call.runs = named;
    if (lastNamed != named)
        call.calls = lastNamed;
    return call;
}
