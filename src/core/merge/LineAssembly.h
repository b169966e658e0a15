#pragma once

#include "core/nc/LineStage.h"
#include "core/nc/NcLineReader.h"

#include <algorithm>
#include <cstdint>
#include <string>

// A line as a scan of an input sees it: where it lies, whether it is blank, and its text,
// bounded; and the line assembled from the pieces it arrives in.

struct ScannedLine
{
    std::uint64_t start = 0;
    std::uint64_t end = 0; // past its line end
    bool blank = false;
    std::string text;
    bool truncated = false;
    NcLineFacts facts{};
};

// Gathers the bytes of one line that arrive in pieces, keeping at most a bounded text; the
// program's reader reads the whole line.
class LineAssembly
{
public:
    explicit LineAssembly(NcLineReader* reader) : m_reader(reader) {}

    void add(const char* bytes, std::size_t count)
    {
        if (count == 0)
            return;
        m_reader->feed({bytes, count});
        m_bytes += count;
        m_lastIsCr = bytes[count - 1] == '\r';
        const std::size_t room = kMaxNotedTextBytes + 1 - m_text.size();
        m_text.append(bytes, std::min(count, room));
    }

    // Ends the line, which ended with LF when terminated; false when it is blank.
    bool finish(bool terminated, ScannedLine& line)
    {
        const bool crLf = terminated && m_lastIsCr;
        const std::uint64_t content = m_bytes - (crLf ? 1 : 0);
        if (crLf && m_text.size() == m_bytes)
            m_text.pop_back();
        line.truncated = content > kMaxNotedTextBytes;
        if (m_text.size() > kMaxNotedTextBytes)
            m_text.resize(kMaxNotedTextBytes);
        line.text.swap(m_text);
        line.blank = content == 0;
        line.facts = m_reader->finish();
        m_text.clear();
        m_bytes = 0;
        m_lastIsCr = false;
        return !line.blank;
    }

    bool empty() const { return m_bytes == 0; }

private:
    NcLineReader* m_reader;
    std::string m_text;
    std::uint64_t m_bytes = 0;
    bool m_lastIsCr = false;
};
