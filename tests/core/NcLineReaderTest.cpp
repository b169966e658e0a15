#include "core/NcLineReader.h"

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

    // The quick look at kept lines misses none of the facts they are checked for, wherever in a
    // long line they stand.
    const std::string padding(40, ' ');
    for (const std::string& kept :
         {padding + "m30", padding + "G 65 P9010", padding + "%", padding + "GOTO 5",
          padding + "o100", padding + "X1\x01", std::string("G\t66 P1")}) {
        const NcLineFacts facts = reader.readKept(kept);
        EXPECT_NE(facts.facts & NcLineFacts::kKeptLineFacts, 0u) << kept;
    }
    EXPECT_EQ(reader.readKept(padding + "G01 X1 Y2 (A COMMENT) G61").facts &
                  NcLineFacts::kKeptLineFacts,
              0u);

    const NcLineFacts binary = reader.read(std::string("G0 X1\0", 6) + "\x03");
    EXPECT_TRUE(binary.has(NcLineFacts::ControlByte));
    EXPECT_EQ(binary.controlByteColumn, 5u);
    EXPECT_EQ(binary.controlByte, 0);
}
