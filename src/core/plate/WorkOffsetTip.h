#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What the hover tip of a work-offset cell tells; the window words it.
struct WorkOffsetTip
{
    std::string workOffset;          // "G54"
    std::size_t files = 0;           // the cell's entries
    std::vector<std::string> listed; // the first twenty of them
    std::size_t unlisted = 0;        // how many more there are
};

// The work-offset name of a cell: G511... with the Siemens numbering, else G54 to G59 and then
// G54.1P1, G54.1P2, ...; empty past the last offset.
std::string workOffsetName(int index, int simens, int itemNameType);

WorkOffsetTip workOffsetTip(int index, const std::vector<std::string>& entries, int simens,
                            int itemNameType);
