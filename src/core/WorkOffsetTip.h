#pragma once

#include <string>
#include <vector>

// The hover tip of a work-offset cell.
struct WorkOffsetTip
{
    std::string title; // "번호: G54 (3 files)"
    std::string body;  // the first 20 entries, one per line, then how many more
};

// The work-offset name of a cell: G511... with the Siemens numbering, else G54 to G59 and then
// G54.1P1, G54.1P2, ...
std::string workOffsetName(int index, int simens, int itemNameType);

WorkOffsetTip workOffsetTip(int index, const std::vector<std::string>& entries, int simens,
                            int itemNameType);
