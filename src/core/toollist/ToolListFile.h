#pragma once

// The tool list file (.tlist): its rows read and written.

#include "ToolEntry.h"
#include "core/os/FileError.h"

#include <optional>
#include <string>
#include <vector>

struct ToolListReadResult
{
    bool read = false;
    FileError error;              // why the file could not be read
    std::vector<ToolEntry> tools; // at most maxTools
    int leftOut = 0;              // tool lines past maxTools
    // Rows with an empty value before a set one: runs of commas count as one, so every value
    // after it is read one column to the left.
    struct ShiftedRow
    {
        std::size_t tool = 0; // among tools
        int line = 0;         // of the file, from 1
        std::string text;     // bounded
    };
    std::vector<ShiftedRow> shifted;
};

// A value that would not read back as written.
struct UnwritableValue
{
    int row = 0;    // from 0
    int column = 0; // from 0
    enum class Reason
    {
        Comma,
        LineBreak,
        EmptyBeforeValue, // the values after it would move left
        CommentMark,      // "!" or "*" first makes the row a comment
    } reason = Reason::Comma;
};

// Reads a tool list: lines end with LF or CR LF; lines starting with "!" or "*" are comments;
// every other line is a tool whose values are separated by commas, where runs of commas count
// as one and commas at either end give no value.
ToolListReadResult ReadToolList(const std::string& path, std::size_t maxTools = 500);

// Splits one line, without its line end, into at most ten values.
ToolEntry splitToolLine(const std::string& line);

// The first value of rows that would not read back as written, if any.
std::optional<UnwritableValue> findUnwritableValue(const std::vector<ToolEntry>& rows);

// Writes the three comment lines and one line per row, all ending with CR LF. The file is
// replaced only when all of it was written; false with error set otherwise.
bool WriteToolList(const std::string& path, const std::vector<ToolEntry>& rows, FileError& error);

// Whether every value is UTF-8: a list that is not was written on Korean Windows, in code page
// 949.
bool isUtf8List(const std::vector<ToolEntry>& tools);
// The values in UTF-8, converted from code page 949 where the list is not UTF-8.
std::vector<ToolEntry> toolsInUtf8(std::vector<ToolEntry> tools);

// "10 Flat", "10 Ball" or "10 R0.5" from a diameter and a corner radius.
std::string MakeToolDescription(float diameter, float radius);
// The C "%g" text of a value.
std::string formatG(double value);
