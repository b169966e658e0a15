// Tool list files (.tlist): read, checked and written.

#include "ToolListFile.h"

#include "core/merge/AtomicFileWriter.h"
#include "core/merge/InputFile.h"
#include "core/os/SystemCp949.h"
#include "core/os/Utf8Path.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

namespace {

constexpr const char* kHeader = "!!!Tool List\r\n"
                                "!1\t2\t3\t4\t5\t6\t7\t8\t9\r\n"
                                "!Tool\tTolMin\tTolMax\tM078\tSpindle\tFeed\tDT\tCAL\tDL\r\n";

// Far beyond any real list: a larger file is not one, and reading it could exhaust memory.
constexpr std::uint64_t kMaxListBytes = std::uint64_t(64) << 20;

bool isCommentMark(char c)
{
    return c == '!' || c == '*';
}

// Well-formed UTF-8: no stray continuation byte, overlong form, surrogate or value past U+10FFFF.
bool isUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = [&](std::size_t at) {
            return static_cast<unsigned char>(bytes[at]);
        };
        const unsigned char lead = byte(i);
        std::size_t length = 1;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
            return false;
        for (std::size_t k = 2; k < length; ++k)
            if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
                return false;
        i += length;
    }
    return true;
}

} // namespace

ToolEntry splitToolLine(const std::string& line)
{
    ToolEntry entry;
    std::size_t value = 0;
    std::size_t start = 0;
    while (start <= line.size() && value < ToolEntry::kValueCount) {
        const std::size_t comma = std::min(line.find(',', start), line.size());
        if (comma > start)
            entry.values[value++] = line.substr(start, comma - start);
        start = comma + 1;
    }
    return entry;
}

ToolListReadResult ReadToolList(const std::string& path, std::size_t maxTools)
{
    ToolListReadResult result;
    // A folder opens as a stream that reads nothing: only a regular file is a list.
    InputFile file;
    if (file.open(path) != InputFile::OpenResult::Opened) {
        result.error = file.error();
        return result;
    }
    if (file.size() > kMaxListBytes) {
        result.error = FileError::Cause::TooLarge;
        return result;
    }
    std::string text(static_cast<std::size_t>(file.size()), '\0');
    if (file.readAt(0, text.data(), text.size()) != static_cast<std::int64_t>(text.size())) {
        // Fewer bytes than the file had when it was opened: it shrank while it was read.
        result.error = file.error() ? file.error() : FileError::Cause::ChangedWhileRead;
        return result;
    }

    std::size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        ++lineNumber;
        const std::size_t newline = text.find('\n', start);
        const bool ended = newline != std::string::npos;
        std::string line = text.substr(start, (ended ? newline : text.size()) - start);
        start = ended ? newline + 1 : text.size();
        if (ended && !line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && isCommentMark(line.front()))
            continue;
        // A last line of nothing but commas has no value at all; with a line end it is a tool
        // of empty values, like an empty line.
        if (!ended && line.find_first_not_of(',') == std::string::npos)
            continue;
        if (result.tools.size() >= maxTools) {
            ++result.leftOut;
            continue;
        }
        const std::size_t lastValue = line.find_last_not_of(',');
        if (lastValue != std::string::npos &&
            (line.front() == ',' || line.find(",,") < lastValue)) {
            constexpr std::size_t kMaxText = 512;
            result.shifted.push_back({result.tools.size(), lineNumber, line.substr(0, kMaxText)});
        }
        result.tools.push_back(splitToolLine(line));
    }
    result.read = true;
    return result;
}

std::optional<UnwritableValue> findUnwritableValue(const std::vector<ToolEntry>& rows)
{
    using Reason = UnwritableValue::Reason;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const auto& values = rows[row].values;
        const auto at = [&](int column, Reason reason) {
            return UnwritableValue{static_cast<int>(row), column, reason};
        };
        if (!values[0].empty() && isCommentMark(values[0].front()))
            return at(0, Reason::CommentMark);
        for (int column = 0; column < ToolEntry::kValueCount; ++column) {
            if (values[column].find(',') != std::string::npos)
                return at(column, Reason::Comma);
            if (values[column].find('\n') != std::string::npos)
                return at(column, Reason::LineBreak);
        }
        for (int column = 0; column + 1 < ToolEntry::kValueCount; ++column) {
            if (!values[column].empty())
                continue;
            for (int later = column + 1; later < ToolEntry::kValueCount; ++later)
                if (!values[later].empty())
                    return at(column, Reason::EmptyBeforeValue);
        }
    }
    return std::nullopt;
}

bool WriteToolList(const std::string& path, const std::vector<ToolEntry>& rows, FileError& error)
{
    AtomicFileWriter file(pathFromUtf8(path));
    if (!file.open()) {
        error = file.error();
        return false;
    }
    file.write(kHeader);
    for (const ToolEntry& row : rows) {
        for (int column = 0; column < ToolEntry::kValueCount; ++column) {
            if (column > 0)
                file.write(",");
            file.write(row.values[column]);
        }
        file.write("\r\n");
    }
    if (!file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}

bool isUtf8List(const std::vector<ToolEntry>& tools)
{
    for (const ToolEntry& tool : tools)
        for (const std::string& value : tool.values)
            if (!isUtf8(value))
                return false;
    return true;
}

std::vector<ToolEntry> toolsInUtf8(std::vector<ToolEntry> tools)
{
    if (isUtf8List(tools))
        return tools;
    for (ToolEntry& tool : tools)
        for (std::string& value : tool.values)
            value = SystemCp949::toUtf8(value);
    return tools;
}

std::string formatG(double value)
{
    // As "%g" writes it, but always with a dot: printf follows the desktop's locale.
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    return std::string(text, result.ptr);
}

std::string MakeToolDescription(float diameter, float radius)
{
    if (radius == 0.0f)
        return formatG(diameter) + " Flat";
    if (diameter != 2.0f * radius)
        return formatG(diameter) + " R" + formatG(radius);
    return formatG(diameter) + " Ball";
}
