#include "core/nc/NcLineReader.h"
#include "core/nc/LineScan.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Dialect = NcLineReader::Dialect;

// The facts of each line, read a byte at a time as lines straddle the merge's blocks.
std::vector<NcLineFacts> readBytewise(NcLineReader& reader, const std::vector<std::string>& lines)
{
    std::vector<NcLineFacts> facts;
    for (const std::string& line : lines) {
        for (char c : line)
            reader.feed({&c, 1});
        facts.push_back(reader.finish());
    }
    return facts;
}

NcLineReader isoReaderKeepingWords()
{
    NcLineReader reader(Dialect::Iso);
    reader.keepWords(true);
    reader.keepAxisWords(true);
    return reader;
}

} // namespace

// Comments and "%" lines leave the dialect open; the first statement decides it, and a
// Heidenhain keyword inside an ISO comment decides nothing.
TEST(NcLineReader, TheFirstStatementDecidesTheDialect)
{
    NcLineReader iso;
    readBytewise(iso, {"%", "(TOOL CALL 5 Z S100)", "; BEGIN PGM X MM"});
    EXPECT_EQ(iso.dialect(), Dialect::Undecided);
    const NcLineFacts offset = iso.read("G90 G55 (TOOL CALL)");
    EXPECT_EQ(iso.dialect(), Dialect::Iso);
    EXPECT_TRUE(offset.has(NcLineFacts::WorkOffset));
    EXPECT_FALSE(offset.has(NcLineFacts::ToolChange));

    NcLineReader heidenhain;
    const auto facts = readBytewise(heidenhain, {"; header", "0 BEGIN PGM PART MM",
                                                 "1 TOOL CALL 3 Z S2000", "2 L X+10 R0 FMAX M3"});
    EXPECT_EQ(heidenhain.dialect(), Dialect::Heidenhain);
    EXPECT_EQ(facts[1].programName, "PART");
    EXPECT_TRUE(facts[2].has(NcLineFacts::ToolChange));
    EXPECT_TRUE(facts[3].has(NcLineFacts::AxisMove));
    EXPECT_TRUE(facts[3].has(NcLineFacts::SpindleStart));
}

// Words as the control reads them: blanks anywhere, codes by value, computed values, macro
// keywords, and the labels that calls and jumps name.
TEST(NcLineReader, ReadsWordsAsTheControlDoes)
{
    NcLineReader reader(Dialect::Iso);
    const auto facts = readBytewise(reader, {"M 30", "G\t54 . 1 P2", "M0006", "G0 X#101",
                                             "/N20 G4 X1.5", "IF[#1GT5]GOTO 20", "M98 P30100",
                                             "M99 P20", "O1000 (SUB)", "G43.4 H1 Z50."});
    EXPECT_TRUE(facts[0].has(NcLineFacts::ProgramEnd));
    EXPECT_TRUE(facts[1].has(NcLineFacts::WorkOffset));
    EXPECT_TRUE(facts[2].has(NcLineFacts::ToolChange));
    EXPECT_TRUE(facts[3].has(NcLineFacts::AxisMove));
    EXPECT_FALSE(facts[4].has(NcLineFacts::AxisMove));
    EXPECT_EQ(facts[4].label, (NcLabel{'N', 20, {}}));
    EXPECT_EQ(facts[5].target, (NcLabel{'N', 20, {}}));
    EXPECT_FALSE(facts[5].has(NcLineFacts::WorkOffset)); // "GT5" is no G code
    EXPECT_EQ(facts[6].target, (NcLabel{'O', 30100, {}}));
    EXPECT_TRUE(facts[7].has(NcLineFacts::Return));
    EXPECT_EQ(facts[7].target, (NcLabel{'N', 20, {}}));
    EXPECT_TRUE(facts[8].has(NcLineFacts::ProgramStart));
    EXPECT_TRUE(facts[9].has(NcLineFacts::LengthOffset));
    EXPECT_TRUE(facts[9].has(NcLineFacts::AxisMove));

    const NcLineFacts binary = reader.read(std::string("G0 X1\0", 6) + "\x03");
    EXPECT_TRUE(binary.has(NcLineFacts::ControlByte));
    EXPECT_EQ(binary.controlByteColumn, 5u);
    EXPECT_EQ(binary.controlByte, 0);
}

// Every line end is found, and a kept line with a fact it is checked for always holds a notable
// byte, wherever the line stands in the 64-byte chunks the scan looks at and however long it
// is; a plain line holds none. With placement, so does every line that selects or shifts a work
// offset, however the control lets it be written. So for every scanner the processor runs.
TEST(LineScan, MissesNoLineEndAndNoFactOfAKeptLine)
{
    const std::string longPlain(200, '1');
    struct Line
    {
        std::string text;
        bool notable;        // without placement
        bool notableToPlace; // with it
    };
    const std::vector<Line> lines = {{"m30", true, true},
                                     {"G 65 P9010", true, true},
                                     {"G065 P9010", true, true},
                                     {"G 00" + std::string(70, '0') + "66 P1", true, true},
                                     {"X1065 Y0.6 Z 0.6 G1", false, false},
                                     {"%", true, true},
                                     {"GOTO 5", true, true},
                                     {"o100", true, true},
                                     {"X1\x01", true, true},
                                     {"G\t66 P1", true, true},
                                     {"N10 M99", true, true},
                                     {"G01 X1 Y2", false, false},
                                     {"N20 G1 X16.6 Y-2.0 F1200", false, false},
                                     {"G0 Z5.", false, false},
                                     {"G1 X" + longPlain + " M30", true, true},
                                     {"G1 X" + longPlain, false, false},
                                     {"G90 G54.1 P2", false, true},
                                     {"G 0 5 5 X1", false, true},
                                     {"g0059", false, true},
                                     {"G1 0 L2 P1", false, true},
                                     {"G" + std::string(70, ' ') + "52 X1", false, true},
                                     {"G" + std::string(70, '0') + "92", false, true},
                                     {"G599", false, true},
                                     {"X10.05 Y1.59 G01", false, false}};
    for (const bool placement : {false, true})
        for (const ChunkScanner scanner : chunkScanners())
            for (std::size_t padding = 0; padding < 70; ++padding) {
                std::string stretch(padding, '\n');
                std::vector<std::pair<std::size_t, std::size_t>> places;
                // Long enough that the scan notes chunks ahead more than once.
                std::vector<Line> repeated;
                for (int round = 0; round < 8; ++round)
                    repeated.insert(repeated.end(), lines.begin(), lines.end());
                for (const Line& line : repeated) {
                    places.emplace_back(stretch.size(), stretch.size() + line.text.size());
                    stretch += line.text + "\r\n";
                }
                LineScan scan(stretch.data(), stretch.data() + stretch.size(), placement, scanner);
                NcLineReader reader(NcLineReader::Dialect::Iso);
                for (std::size_t skipped = 0; skipped < padding; ++skipped)
                    ASSERT_EQ(scan.nextLineEnd(), stretch.data() + skipped);
                for (std::size_t i = 0; i < repeated.size(); ++i) {
                    // The LF after the line's CR.
                    ASSERT_EQ(scan.nextLineEnd(), stretch.data() + places[i].second + 1);
                    const NcLineFacts facts = reader.read(repeated[i].text);
                    const bool kept = (facts.facts & NcLineFacts::kKeptLineFacts) != 0;
                    const bool placed =
                        !facts.offsets.empty() || facts.has(NcLineFacts::OffsetShift);
                    ASSERT_TRUE(!kept || repeated[i].notable) << repeated[i].text;
                    ASSERT_TRUE(!placed || repeated[i].notableToPlace) << repeated[i].text;
                    const bool found = scan.notableWithin(stretch.data() + places[i].first,
                                                          stretch.data() + places[i].second);
                    EXPECT_EQ(found, placement ? repeated[i].notableToPlace : repeated[i].notable)
                        << repeated[i].text << " at " << padding << (placement ? " placing" : "");
                }
                EXPECT_EQ(scan.nextLineEnd(), nullptr);
            }
}

namespace {

// The words of a line's work-offset selections, as placement would rewrite them.
std::vector<std::string> offsetWords(std::string_view line)
{
    NcLineReader reader(NcLineReader::Dialect::Iso);
    std::vector<std::string> words;
    for (const NcLineFacts::OffsetSelection& selection : reader.read(line).offsets)
        words.push_back(std::string(line.substr(selection.begin, selection.end - selection.begin)) +
                        "=" + (selection.offset ? selection.offset->name() : "?"));
    return words;
}

} // namespace

// Work-offset selections are found by value wherever the control reads them, never in comments,
// with the columns that placement rewrites; G54.1 takes the P right after it.
TEST(NcLineReader, FindsWorkOffsetSelectionsAndWhereTheyStand)
{
    using Words = std::vector<std::string>;
    EXPECT_EQ(offsetWords("N5 G00 G17 G54 G90 (G55 SAFE)"), Words{"G54=G54"});
    EXPECT_EQ(offsetWords("G 5 5X1.; G56"), Words{"G 5 5=G55"});
    EXPECT_EQ(offsetWords("g054 g59."), (Words{"g054=G54", "g59.=G59"}));
    EXPECT_EQ(offsetWords("G90G54.1P7X0"), Words{"G54.1P7=G54.1P7"});
    EXPECT_EQ(offsetWords("G54.1 P 12 G0"), Words{"G54.1 P 12=G54.1P12"});
    EXPECT_EQ(offsetWords("G505 G599"), (Words{"G505=G505", "G599=G599"}));
    // A G54.1 whose P is elsewhere, missing or out of range cannot be named.
    EXPECT_EQ(offsetWords("G54.1 X0 P3"), Words{"G54.1=?"});
    EXPECT_EQ(offsetWords("G54.1"), Words{"G54.1=?"});
    EXPECT_EQ(offsetWords("G54.1 P301"), Words{"G54.1 P301=?"});
    for (const char* none : {"(G54)", "G53 X0", "G5.4", "G504", "G600", "X54 G1", "G#54", "/ M30"})
        EXPECT_EQ(offsetWords(none), Words{}) << none;

    NcLineReader reader(NcLineReader::Dialect::Iso);
    for (const char* shift : {"G10 L2 P1 X0", "G52 X10", "G92 X0 Y0", "g 92"})
        EXPECT_TRUE(reader.read(shift).has(NcLineFacts::OffsetShift)) << shift;
    for (const char* none : {"G1 X10", "(G92)", "G92.1", "G101"})
        EXPECT_FALSE(reader.read(none).has(NcLineFacts::OffsetShift)) << none;
}

// In real programs the one offset they select is found at its line, comments and all.
// Kept words name where their values stand, so that a feature can read or rewrite them; a
// keyword, a comment and a computed value hold none to read.
TEST(NcLineReader, KeepsTheWordsOfValuesAndWhereTheyStand)
{
    const auto words = [](NcLineReader reader, std::string_view line) {
        reader.keepWords(true);
        std::string text;
        for (const NcWord& word : reader.read(line).words)
            text += word.address + "[" +
                    std::string(line.substr(word.begin, word.end - word.begin)) +
                    (word.computed ? "]# " : "] ");
        return text;
    };
    EXPECT_EQ(words(NcLineReader(Dialect::Iso), "N5 G01 X1 S 12 00 (F9) F#3 T02M6;H1"),
              "G[01] S[ 12 00] F[]# T[02] M[6] ");
    EXPECT_EQ(words(NcLineReader(Dialect::Iso), "IF[#1GT2]GOTO10"), "");
    EXPECT_EQ(words(NcLineReader(Dialect::Heidenhain), "12 TOOL CALL \"A B\" Z S300 DL+.1 ;F9"),
              "TOOL[] CALL[] [\"A B\"] Z[] S[300] DL[+.1] ");
    NcLineReader plain(Dialect::Iso);
    EXPECT_TRUE(plain.read("G01 S100").words.empty());
}

TEST(NcLineReaderSamples, FindTheWorkOffsetOfRealPrograms)
{
    const std::filesystem::path samples(CORVANE_NC_SAMPLES_DIR);
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "no NC samples at " << samples;
    const std::pair<const char*, std::vector<std::string>> programs[] = {
        {"CadeKiely__Hass-CNC-Programs/step-part.nc", {"9:G54"}},
        {"SafetyDav3__cnc-sprayer/fusion-output.nc", {"16:G54"}},
        {"LinuxCNC__linuxcnc/gmoccapy_2_tools_with_cutter_radius_compensation.ngc", {"9:G54"}},
    };
    for (const auto& [name, expected] : programs) {
        std::ifstream file(samples / name, std::ios::binary);
        ASSERT_TRUE(file) << name;
        NcLineReader reader;
        std::vector<std::string> found;
        int number = 0;
        for (std::string line; std::getline(file, line);) {
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            for (const auto& selection : reader.read(line).offsets)
                found.push_back(std::to_string(number) + ":" +
                                line.substr(selection.begin, selection.end - selection.begin));
        }
        EXPECT_EQ(found, expected) << name;
    }
}

// The number a word carries from the reader is the one its line gives it, however the value is
// written and however the line arrives: whole, or a byte at a time, with the same facts and
// words; the word after it is read for itself, whatever the value was.
TEST(NcLineReader, AWordsNumberIsTheOneItsLineGives)
{
    const std::vector<std::string> values = {"12",
                                             "-12.5",
                                             "+.5",
                                             "-.5",
                                             "5.",
                                             "0.001",
                                             "00012",
                                             "1.2.3",
                                             "- 5",
                                             "1 2",
                                             " 3.5",
                                             "\r4",
                                             "\f4",
                                             "4\r",
                                             "-",
                                             ".",
                                             "+-5",
                                             "1e3",
                                             "9.25",
                                             "-0",
                                             "12345678901234",
                                             "123456789012345",
                                             "1234567890123456",
                                             "1234567.89012345",
                                             "0.000000000000001",
                                             "99999999999999.9"};
    for (const std::string& value : values)
        for (const char* letter : {"X", "F", "S", "G"}) {
            const std::string line = "N1 " + std::string(letter) + value + " M3";
            NcLineReader whole = isoReaderKeepingWords();
            NcLineReader bytewise = isoReaderKeepingWords();
            const NcLineFacts read = whole.read(line);
            const NcLineFacts fed = readBytewise(bytewise, {line}).front();
            EXPECT_TRUE(read.has(NcLineFacts::SpindleStart)) << line;
            EXPECT_EQ(read.facts, fed.facts) << line;
            EXPECT_EQ(read.label, fed.label) << line;
            EXPECT_EQ(read.offsets.size(), fed.offsets.size()) << line;
            ASSERT_EQ(read.words.size(), fed.words.size()) << line;
            for (std::size_t i = 0; i < read.words.size(); ++i) {
                EXPECT_EQ(read.words[i].address, fed.words[i].address) << line;
                EXPECT_EQ(read.words[i].begin, fed.words[i].begin) << line;
                EXPECT_EQ(read.words[i].end, fed.words[i].end) << line;
                NcWord fromText = read.words[i];
                fromText.number.reset();
                const std::optional<double> expected = wordNumber(line, fromText);
                EXPECT_EQ(wordNumber(line, read.words[i]), expected) << line;
                EXPECT_EQ(wordNumber(line, fed.words[i]), expected) << line;
                if (expected) {
                    EXPECT_EQ(std::signbit(*wordNumber(line, read.words[i])),
                              std::signbit(*expected))
                        << line;
                }
            }
        }
}

// A line read whole has the facts and words of the same line fed a byte at a time, whatever its
// words and however they are parted: labels, calls and their targets, offset selections and
// where they stand, values with signs and points, letters in either case.
TEST(NcLineReader, ALineReadWholeIsTheLineReadByteByByte)
{
    const std::vector<std::string> words = {
        "N10", "O100",  "G54.1", "P7", "G55",    "M98", "P30", "M99", "X-1.5", "y2",
        "G1",  "F300.", "T1",    "M6", "H1",     "G43", "G10", "L2",  "Z.5",   "S+12",
        "G0",  "X",     "GOTO",  "5",  "X1.2.3", "#1",  "(C)", "G505"};
    const std::vector<std::string> parts = {" ", "", "\t", "  "};
    std::uint32_t seed = 7;
    const auto next = [&](std::size_t bound) {
        seed = seed * 1664525u + 1013904223u;
        return std::size_t(seed >> 8) % bound;
    };
    for (int n = 0; n < 3000; ++n) {
        std::string line = next(4) == 0 ? " " : "";
        for (std::size_t count = 1 + next(6); count > 0; --count)
            line += words[next(words.size())] + parts[next(parts.size())];
        NcLineReader whole = isoReaderKeepingWords();
        NcLineReader bytewise = isoReaderKeepingWords();
        const NcLineFacts read = whole.read(line);
        const NcLineFacts fed = readBytewise(bytewise, {line}).front();
        EXPECT_EQ(read.facts, fed.facts) << line;
        EXPECT_EQ(read.label, fed.label) << line;
        EXPECT_EQ(read.target, fed.target) << line;
        ASSERT_EQ(read.offsets.size(), fed.offsets.size()) << line;
        for (std::size_t i = 0; i < read.offsets.size(); ++i) {
            EXPECT_EQ(read.offsets[i].begin, fed.offsets[i].begin) << line;
            EXPECT_EQ(read.offsets[i].end, fed.offsets[i].end) << line;
            EXPECT_EQ(read.offsets[i].offset, fed.offsets[i].offset) << line;
        }
        ASSERT_EQ(read.words.size(), fed.words.size()) << line;
        for (std::size_t i = 0; i < read.words.size(); ++i) {
            EXPECT_EQ(read.words[i].address, fed.words[i].address) << line;
            EXPECT_EQ(read.words[i].begin, fed.words[i].begin) << line;
            EXPECT_EQ(read.words[i].end, fed.words[i].end) << line;
            EXPECT_EQ(read.words[i].computed, fed.words[i].computed) << line;
            EXPECT_EQ(read.words[i].number, fed.words[i].number) << line;
        }
    }
}
