#pragma once

#include <array>
#include <string>

// One tool of a tool list: ten values as the file holds them (bytes, never converted), in file
// order: tool number, tool info, minimum and maximum tolerance, coolant code, spindle, feed,
// dwell time, measured flag, DL.
struct ToolEntry
{
    static constexpr int kValueCount = 10;

    std::array<std::string, kValueCount> values;

    bool operator==(const ToolEntry&) const = default;
};
