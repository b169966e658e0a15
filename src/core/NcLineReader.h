#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string_view>
#include <vector>

// A stretch of one line, without its line end. A line longer than the reader's buffer comes in
// several pieces; every other line is one piece that both starts and ends it.
struct LinePiece
{
    std::string_view bytes;
    bool startsLine = true;
    bool endsLine = true;
    // The line ended with CR LF, and those two bytes follow bytes in memory.
    bool endsWithCrLf = false;

    // A line that is nothing but its line end.
    bool isBlankLine() const { return startsLine && endsLine && bytes.empty(); }
};

// Reads NC lines as a text-mode reader on Windows sees them: LF or CR LF ends a line, any other
// byte (a lone CR, NUL, bytes of any code page) is line content. Memory use is bounded by the
// buffer, whatever the lengths of the file and its lines.
class NcLineReader
{
public:
    static constexpr std::size_t kDefaultBufferSize = std::size_t(1) << 20;

    explicit NcLineReader(std::istream& input, std::size_t bufferSize = kDefaultBufferSize);

    // The next piece, or false at the end of the input or after a read error.
    bool next(LinePiece& piece);

    // Counts the lines that hold more than their line end, from here to the end.
    std::int64_t countContentLines();

    bool failed() const { return m_failed; }
    std::uint64_t bytesRead() const { return m_bytesRead; }

private:
    void refill();

    std::istream& m_input;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::uint64_t m_bytesRead = 0;
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_insideLine = false;
};

inline std::int64_t CountContentLines(NcLineReader& reader)
{
    return reader.countContentLines();
}
