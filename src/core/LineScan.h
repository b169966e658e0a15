#pragma once

#include "ChunkScan.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

// Reads the masks of 64 bytes.
using ChunkScanner = ChunkMasks (*)(const char* chunk);

// The fastest scanner this processor runs: with wider registers where it has them.
ChunkScanner fastestChunkScanner();
// Every scanner this processor runs; they all give the same masks.
std::vector<ChunkScanner> chunkScanners();
// The masks of the last bytes of a stretch, fewer than 64.
ChunkMasks scanChunkTail(const char* chunk, std::size_t count);

// Finds the LF bytes of a stretch of a program in order and, in the same look at 64 bytes at a
// time, its notable bytes: those without which a line kept by the merge holds none of the facts
// it is checked for in an ISO program. They are the letters of M and O words (O also in GOTO)
// in either case, "%", a control byte other than a tab, CR or LF, and a "6" after a G or a
// blank (G65, G66). A kept line without any needs no reading word by word, which spares most
// lines of a program.
class LineScan
{
public:
    LineScan(const char* begin, const char* end, ChunkScanner scanner = fastestChunkScanner())
        : m_scanner(scanner), m_next(begin), m_end(end)
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
        m_chunk = m_next;
        const auto left = static_cast<std::size_t>(m_end - m_next);
        const std::size_t count = left < 64 ? left : 64;
        const ChunkMasks masks = count == 64 ? m_scanner(m_chunk) : scanChunkTail(m_chunk, count);
        // A six counts after a G or blank in this chunk or at the end of the one before.
        m_notable = masks.marks | (masks.sixes & ((masks.before << 1) | m_carry));
        m_carry = count == 64 ? masks.before >> 63 : 0;
        m_lineEnds = masks.lineEnds;
        m_next += count;
    }

    ChunkScanner m_scanner;
    const char* m_next;
    const char* const m_end;
    const char* m_chunk = nullptr;
    std::uint64_t m_lineEnds = 0;
    std::uint64_t m_notable = 0;
    std::uint64_t m_carry = 0;
    const char* m_lastNotableBefore = nullptr; // the last notable byte of the chunks before
};
