#include "NcLineReader.h"

#include <algorithm>
#include <cstring>

NcLineReader::NcLineReader(std::istream& input, std::size_t bufferSize)
    : m_input(input), m_buffer(std::max<std::size_t>(bufferSize, 2))
{}

bool NcLineReader::next(LinePiece& piece)
{
    for (;;) {
        const char* start = m_buffer.data() + m_begin;
        const std::size_t available = m_end - m_begin;
        const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
        if (newline) {
            std::size_t length = static_cast<std::size_t>(newline - start);
            m_begin += length + 1;
            const bool crLf = length > 0 && start[length - 1] == '\r';
            if (crLf)
                --length;
            piece = {std::string_view(start, length), !m_insideLine, true, crLf};
            m_insideLine = false;
            return true;
        }
        if (m_atEnd) {
            if (m_failed || (available == 0 && !m_insideLine))
                return false;
            // The last line of a file that does not end with a line end; empty when a long
            // line's earlier pieces held all of it.
            piece = {std::string_view(start, available), !m_insideLine, true};
            m_begin = m_end;
            m_insideLine = false;
            return true;
        }
        if (available == m_buffer.size()) {
            // A line longer than the buffer: hand out what we have, keeping back a final CR that
            // may be the first half of a CR LF.
            const std::size_t length = start[available - 1] == '\r' ? available - 1 : available;
            piece = {std::string_view(start, length), !m_insideLine, false};
            m_begin += length;
            m_insideLine = true;
            return true;
        }
        refill();
    }
}

void NcLineReader::refill()
{
    const std::size_t kept = m_end - m_begin;
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, kept);
    m_begin = 0;
    m_end = kept;
    m_input.read(m_buffer.data() + m_end, static_cast<std::streamsize>(m_buffer.size() - m_end));
    const auto got = static_cast<std::size_t>(m_input.gcount());
    m_end += got;
    m_bytesRead += got;
    if (m_input.bad()) {
        m_failed = true;
        m_atEnd = true;
    } else if (m_input.eof()) {
        m_atEnd = true;
    }
}

std::int64_t NcLineReader::countContentLines()
{
    std::int64_t count = 0;
    LinePiece piece;
    for (;;) {
        // The whole lines already in the buffer, without building pieces: this is the hot loop
        // of the merge's first reading.
        if (!m_insideLine) {
            const char* line = m_buffer.data() + m_begin;
            const char* end = m_buffer.data() + m_end;
            while (const auto* newline = static_cast<const char*>(
                       std::memchr(line, '\n', static_cast<std::size_t>(end - line)))) {
                const auto length = newline - line;
                count += length > 1 || (length == 1 && *line != '\r');
                line = newline + 1;
            }
            m_begin = static_cast<std::size_t>(line - m_buffer.data());
        }
        // What is left: a line cut by the buffer's end, a long line, or the end of the input.
        if (!next(piece))
            return count;
        if (piece.startsLine && !piece.isBlankLine())
            ++count;
    }
}
