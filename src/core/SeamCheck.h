#pragma once

#include "NcMerge.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the seams of a merge may have done to the program: a line cut that the machine needs, or
// a line kept where it stops or confuses the machine.
enum class SeamRule
{
    ProgramEndInside,    // M02, M30, END PGM kept in a copied file but the last
    TapeMarkInside,      // a "%" line kept but as the first or last line of the output
    ToolChangeCut,       // M06 or TOOL CALL cut
    WorkOffsetCut,       // G54 to G59, G54.1 P, G505 to G599, CYCL DEF 7 or TRANS DATUM cut
    SpindleStartCut,     // M03 or M04 cut
    LengthOffsetCut,     // G43 cut
    CoolantCut,          // M07 or M08 cut
    ProgramNumberInside, // an O word line or BEGIN PGM kept in a copied file but the first
};

struct SeamFinding
{
    enum class Severity
    {
        Warning,
        Error,
    };

    SeamRule rule = SeamRule::ProgramEndInside;
    Severity severity = Severity::Error;
    std::string path;      // the input, as the merge was given it
    std::int64_t line = 0; // in that input, from 1
    std::string text;      // the line, without its line end
};

// The severity and a short reason of each rule, in one table.
struct SeamRuleInfo
{
    SeamRule rule;
    SeamFinding::Severity severity;
    const char* reason;
};
const SeamRuleInfo& seamRuleInfo(SeamRule rule);

// The findings of a merge's record, input by input in merge order, each input's by line.
std::vector<SeamFinding> CheckSeams(const MergeReport& report);

// Picks out the kept lines that the checks need besides the first and last: lines that may
// end a program, number one, or be a "%" line. Quick: it runs on every kept line.
bool mayMatterWhenKept(std::string_view line);

// A line whose first character, blanks aside, is "%".
bool isPercentLine(std::string_view line);
