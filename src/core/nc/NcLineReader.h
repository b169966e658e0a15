#pragma once

#include "WorkOffset.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A label a line defines or a call or jump goes to: an O program number, an N block number, or
// a Heidenhain LBL by number or by name.
struct NcLabel
{
    char kind = 0; // 'O', 'N' or 'L'; 0 for none
    std::int64_t number = 0;
    std::string name; // a Heidenhain label's name, when it has one; bounded

    explicit operator bool() const { return kind != 0; }
    bool operator==(const NcLabel&) const = default;
};

// A word of a line whose value a feature reads or rewrites: its address and where its value
// stands in the line.
struct NcWord
{
    std::string address;   // upper case; ISO: one letter; Heidenhain: the letters a word starts
                           // with ("TOOL", "S", "DL", "FMAX"), none for a number or a name
    std::size_t begin = 0; // column of the value, from 0; blanks inside it, as ISO allows
    std::size_t end = 0;   // past its last byte
    bool computed = false; // an ISO macro variable or expression ("F#1"): no number to read
    // Its number, where the reader read it as it lexed the line: what wordNumber reads from the
    // line that holds it.
    std::optional<double> number;

    // The letter of a one-letter address, as every ISO word has; 0 for any other.
    char letter() const { return address.size() == 1 ? address.front() : 0; }
    bool is(char address_) const { return letter() == address_; }
};

// What one line of an NC program does, as far as the merge's checks care, read from the whole
// line outside its comments.
struct NcLineFacts
{
    enum Fact : std::uint32_t
    {
        ProgramEnd = 1u << 0,   // M02, M30, END PGM
        ProgramStart = 1u << 1, // an O number first on the line, BEGIN PGM
        ToolChange = 1u << 2,   // M06, TOOL CALL
        WorkOffset = 1u << 3,   // G54 to G59, G54.1, G505 to G599, CYCL DEF 7 or 247, TRANS DATUM
        SpindleStart = 1u << 4, // M03, M04
        LengthOffset = 1u << 5, // G43
        CoolantOn = 1u << 6,    // M07, M08
        AxisMove = 1u << 7,     // a move or a cycle run in work coordinates
        Call = 1u << 8,         // M98, M198, G65, G66, GOTO; CALL LBL, CALL PGM, GOTO LBL
        Return = 1u << 9,       // M99
        TapeMark = 1u << 10,    // a "%" line
        ControlByte = 1u << 11, // a byte no NC program holds (NUL and other control codes)
        OffsetShift = 1u << 12, // G10, G52, G92: offsets written or shifted by the program
        SpindleStop = 1u << 13, // M05
        CoolantOff = 1u << 14,  // M09
    };
    // What a line kept in the middle of a merge is checked for.
    static constexpr std::uint32_t kKeptLineFacts =
        ProgramEnd | ProgramStart | TapeMark | Call | Return | ControlByte;

    std::uint32_t facts = 0;
    NcLabel label;                     // what the line defines: O, N or LBL
    NcLabel target;                    // where its call or jump goes, when it names it
    std::string programName;           // of BEGIN PGM or END PGM; bounded
    std::size_t controlByteColumn = 0; // from 0, of the first control byte
    unsigned char controlByte = 0;
    // The work-offset selections of an ISO line, where they stand: placement rewrites them.
    struct OffsetSelection
    {
        std::size_t begin = 0;              // column of its G, from 0
        std::size_t end = 0;                // past its last digit, or its P's with G54.1
        std::optional<::WorkOffset> offset; // none: G54.1 without a P right after it
    };
    std::vector<OffsetSelection> offsets;
    // When the reader keeps words: ISO words of G, M, T, S, F, H and D (and the axes, R, I, J, K
    // when asked), every Heidenhain word but the block number, in line order.
    std::vector<NcWord> words;

    bool has(Fact fact) const { return (facts & fact) != 0; }
};

// Reads the lines of one program, whole, in pieces as they arrive. The dialect, ISO (FANUC and
// alike) or Heidenhain conversational, is decided by the program's first statement; comments and
// "%" lines never decide it, and lines before it read the same either way.
class NcLineReader
{
public:
    enum class Dialect
    {
        Undecided,
        Iso,
        Heidenhain,
    };

    explicit NcLineReader(Dialect dialect = Dialect::Undecided);
    ~NcLineReader();
    NcLineReader(NcLineReader&&) noexcept;
    NcLineReader& operator=(NcLineReader&&) noexcept;

    // Adds bytes of the line being read, without its line end.
    void feed(std::string_view bytes);
    // Ends the line and tells what it does.
    NcLineFacts finish();
    // A whole line at once.
    NcLineFacts read(std::string_view line);

    Dialect dialect() const { return m_dialect; }
    // Whether the facts of each line list its words.
    void keepWords(bool keep);
    // Whether kept ISO words include the axes, R, I, J and K, for following positions.
    void keepAxisWords(bool keep);
    // Takes back the words of a line it read, done with: a later ISO line's words are kept in
    // their room, without allocating.
    void recycle(std::vector<NcWord>&& words);

private:
    class IsoLexer;
    class HeidenhainLexer;

    NcLineFacts finishLexers();

    Dialect m_dialect = Dialect::Undecided;
    std::unique_ptr<IsoLexer> m_iso;
    std::unique_ptr<HeidenhainLexer> m_heidenhain;
    std::size_t m_column = 0;
    bool m_leadingBlanks = true;
    bool m_percentLine = false;
    std::size_t m_controlColumn = 0;
    unsigned char m_controlByte = 0;
    bool m_control = false;
};

// A number as NC programs and tool lists write it ("1500", "1500.", "+0.05", "-.5").
std::optional<double> ncNumber(std::string_view text);
// A number as an NC word writes it, rounded to at most that many decimals: "20.", "-1.5".
std::string ncDecimal(double value, int decimals);
// A word's value as written in its line, without the blanks around it.
std::string_view wordValue(std::string_view line, const NcWord& word);
// Its number as its line writes it, blanks inside it ignored as the control ignores them
// ("S 12 000"); none when the line computes it.
std::optional<double> wordNumberOfText(std::string_view line, const NcWord& word);
// The same, the one the reader read where it did: inline, for the checks read most words' numbers
// many times.
inline std::optional<double> wordNumber(std::string_view line, const NcWord& word)
{
    if (word.computed)
        return std::nullopt;
    return word.number ? word.number : wordNumberOfText(line, word);
}
// Whether the word is the code of that address ("M", 6 for M06 and M6).
bool isWordCode(std::string_view line, const NcWord& word, std::string_view address, double code);

// What an ISO line says of tools: whether it changes them (M06), the tool its change runs when
// the line names it (before M06, else after it: "T1 M06", "M06 T1"), and a tool it calls for a
// later change ("T1 M06 T2", "T2").
struct IsoToolWords
{
    bool change = false;
    std::optional<std::int64_t> runs;
    std::optional<std::int64_t> calls;
};
IsoToolWords isoToolWords(std::string_view line, const std::vector<NcWord>& words);
