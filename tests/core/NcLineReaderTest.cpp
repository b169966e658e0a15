#include "core/NcLineReader.h"
#include "core/LineScan.h"

#include <gtest/gtest.h>

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
// is; a plain line holds none. So for every scanner the processor runs.
TEST(LineScan, MissesNoLineEndAndNoFactOfAKeptLine)
{
    const std::string longPlain(200, '1');
    const std::vector<std::string> lines = {"m30",
                                            "G 65 P9010",
                                            "%",
                                            "GOTO 5",
                                            "o100",
                                            "X1\x01",
                                            "G\t66 P1",
                                            "N10 M99",
                                            "G01 X1 Y2",
                                            "N20 G1 X16.6 Y-2.0 F1200",
                                            "G0 Z5.",
                                            "G1 X" + longPlain + " M30",
                                            "G1 X" + longPlain};
    for (const ChunkScanner scanner : chunkScanners())
        for (std::size_t padding = 0; padding < 70; ++padding) {
            std::string stretch(padding, '\n');
            std::vector<std::pair<std::size_t, std::size_t>> places;
            // Long enough that the scan notes chunks ahead more than once.
            std::vector<std::string> repeated;
            for (int round = 0; round < 12; ++round)
                repeated.insert(repeated.end(), lines.begin(), lines.end());
            for (const std::string& line : repeated) {
                places.emplace_back(stretch.size(), stretch.size() + line.size());
                stretch += line + "\r\n";
            }
            LineScan scan(stretch.data(), stretch.data() + stretch.size(), scanner);
            NcLineReader reader(NcLineReader::Dialect::Iso);
            for (std::size_t skipped = 0; skipped < padding; ++skipped)
                ASSERT_EQ(scan.nextLineEnd(), stretch.data() + skipped);
            for (std::size_t i = 0; i < repeated.size(); ++i) {
                // The LF after the line's CR.
                ASSERT_EQ(scan.nextLineEnd(), stretch.data() + places[i].second + 1);
                const bool kept =
                    (reader.read(repeated[i]).facts & NcLineFacts::kKeptLineFacts) != 0;
                const bool found = scan.notableWithin(stretch.data() + places[i].first,
                                                      stretch.data() + places[i].second);
                EXPECT_EQ(found, kept || i % lines.size() < 7) << repeated[i] << " at " << padding;
            }
            EXPECT_EQ(scan.nextLineEnd(), nullptr);
        }
}
