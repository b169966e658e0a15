#pragma once

#include "ChunkScan.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// Notes count whole chunks of 64 bytes; see noteChunksWith.
using ChunkScanner = ChunkCarry (*)(const char* chunks, std::size_t count, const char* end,
                                    ChunkCarry carry, ChunkNotes* notes, bool placement);

// The fastest scanner this processor runs: with wider registers where it has them.
ChunkScanner fastestChunkScanner();
// Every scanner this processor runs; they all give the same notes.
std::vector<ChunkScanner> chunkScanners();
// The masks of the last bytes of a stretch, fewer than 64.
ChunkMasks scanChunkTail(const char* chunk, std::size_t count);

// Finds the LF bytes of a stretch of a program in order and, in the same look at 64 bytes at a
// time, its notable bytes: those without which a line kept by the merge holds none of the facts
// it is checked for in an ISO program. They are the letters of M and O words (O also in GOTO)
// in either case, "%", a control byte other than a tab, CR or LF, and a "6" after a G or a
// blank, zeros between them (G65, G066); for placement also the digits that may make a work-offset
// selection or shift (see notesOf). A kept line without any needs no reading word by word, which
// spares most lines of a program.
class LineScan
{
public:
    LineScan(const char* begin, const char* end, bool placement,
             ChunkScanner scanner = fastestChunkScanner())
        : m_scanner(scanner), m_placement(placement), m_next(begin), m_end(end)
    {}

    // The next LF, or nullptr after the last.
    const char* nextLineEnd()
    {
        while (m_lineEnds == 0) {
            if (m_next == m_end)
                return nullptr;
            load();
        }
        const int bit = std::countr_zero(m_lineEnds);
        m_lineEnds &= m_lineEnds - 1;
        return m_chunk + bit;
    }

    // The LFs left of the chunk being read, taken, when no notable byte stands between
    // lineStart and the chunk's end, so that every line they end is plain; a chunk without LF
    // is passed over first. Zero when the lines must be taken one by one, or none are left.
    std::uint64_t takePlainLineEnds(const char* lineStart)
    {
        while (m_lineEnds == 0) {
            if (m_next == m_end)
                return 0;
            load();
        }
        if (m_notable != 0 || (m_lastNotableBefore && m_lastNotableBefore >= lineStart))
            return 0;
        const std::uint64_t ends = m_lineEnds;
        m_lineEnds = 0;
        return ends;
    }
    // The first byte of the chunk being read: bit n of its LFs stands for chunk() + n.
    const char* chunk() const { return m_chunk; }

    // Whether [from, to) holds a notable byte, where to is at most the LF last returned.
    bool notableWithin(const char* from, const char* to) const
    {
        if (m_lastNotableBefore && m_lastNotableBefore >= from)
            return true;
        const auto bitOf = [this](const char* at) {
            return at <= m_chunk ? 0 : static_cast<int>(at - m_chunk);
        };
        const int low = bitOf(from);
        const int high = bitOf(to);
        if (high <= low)
            return false;
        const std::uint64_t range =
            (high >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << high) - 1) &
            ~((std::uint64_t(1) << low) - 1);
        return (m_notable & range) != 0;
    }

private:
    [[gnu::always_inline]] void load()
    {
        if (m_notable != 0)
            m_lastNotableBefore = m_chunk + (63 - std::countl_zero(m_notable));
        if (m_noted == m_notesRead)
            noteAhead();
        const ChunkNotes& notes = m_notes[m_notesRead++];
        m_chunk = m_next;
        m_next += m_noted == m_notesRead && m_tailSize ? m_tailSize : 64;
        m_notable = notes.notable;
        m_lineEnds = notes.lineEnds;
    }

    // Notes the chunks ahead, many in one call; a tail of fewer than 64 bytes byte by byte.
    void noteAhead()
    {
        const auto left = static_cast<std::size_t>(m_end - m_next);
        const std::size_t whole = std::min(left / 64, kNotesAhead);
        m_notesRead = 0;
        m_tailSize = 0;
        if (whole > 0) {
            m_carry = m_scanner(m_next, whole, m_end, m_carry, m_notes, m_placement);
            m_noted = whole;
            return;
        }
        const ChunkMasks masks = scanChunkTail(m_next, left);
        m_notes[0] = m_placement ? notesOf<true>(masks, m_carry, m_next, m_end)
                                 : notesOf<false>(masks, m_carry, m_next, m_end);
        m_noted = 1;
        m_tailSize = left;
    }

    static constexpr std::size_t kNotesAhead = 64; // 4 KiB of a program, 1 KiB of notes

    ChunkScanner m_scanner;
    const bool m_placement;
    const char* m_next;
    const char* const m_end;
    const char* m_chunk = nullptr;
    std::uint64_t m_lineEnds = 0;
    std::uint64_t m_notable = 0;
    ChunkCarry m_carry = 0;
    ChunkNotes m_notes[kNotesAhead];
    std::size_t m_noted = 0;                   // notes in m_notes
    std::size_t m_notesRead = 0;               // of them, taken by load
    std::size_t m_tailSize = 0;                // bytes of the last note, when fewer than 64
    const char* m_lastNotableBefore = nullptr; // the last notable byte of the chunks before
};
