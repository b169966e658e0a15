#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Finds the LF bytes of a stretch of a program in order and, in the same look at 64 bytes at a
// time, its notable bytes: those without which a line kept by the merge holds none of the facts
// it is checked for in an ISO program. They are the letters of M and O words (O also in GOTO)
// in either case, "%", a control byte other than a tab, CR or LF, and a "6" after a G or a
// blank (G65, G66). A kept line without any needs no reading word by word, which spares most
// lines of a program.
class LineScan
{
public:
    LineScan(const char* begin, const char* end) : m_next(begin), m_end(end) {}

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
    static bool marked(unsigned char c)
    {
        const unsigned char folded = c & 0xDF;
        return folded == 'M' || folded == 'O' || c == '%' ||
               (c < 0x20 && c != '\t' && c != '\n' && c != '\r');
    }
    static bool beforeSix(unsigned char c) { return (c & 0xDF) == 'G' || c == ' ' || c == '\t'; }

    [[gnu::always_inline]] void load()
    {
        if (m_notable != 0)
            m_lastNotableBefore = m_chunk + (63 - std::countl_zero(m_notable));
        m_chunk = m_next;
        const auto left = static_cast<std::uint64_t>(m_end - m_next);
        const std::uint64_t count = left < 64 ? left : 64;
        std::uint64_t lineEnds = 0;
        std::uint64_t marks = 0;
        std::uint64_t sixes = 0;
        std::uint64_t before = 0;
#if defined(__SSE2__)
        if (count == 64) {
            const __m128i caseBit = _mm_set1_epi8(char(0xDF));
            for (int part = 0; part < 4; ++part) {
                const __m128i bytes =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_chunk + 16 * part));
                const __m128i folded = _mm_and_si128(bytes, caseBit);
                const __m128i low = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x1F)), bytes);
                const __m128i letters = _mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('M')),
                                                     _mm_cmpeq_epi8(folded, _mm_set1_epi8('O')));
                const __m128i mark = _mm_or_si128(_mm_or_si128(letters, low),
                                                  _mm_cmpeq_epi8(bytes, _mm_set1_epi8('%')));
                const __m128i lf = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'));
                const __m128i tab = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'));
                const __m128i cr = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'));
                const __m128i gOrBlank =
                    _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('G')),
                                              _mm_cmpeq_epi8(bytes, _mm_set1_epi8(' '))),
                                 tab);
                const auto bits = [](__m128i mask) {
                    return std::uint64_t(std::uint32_t(_mm_movemask_epi8(mask)));
                };
                const int shift = 16 * part;
                // Tabs, CRs and LFs were marked as low bytes: they are taken out again.
                marks |= bits(_mm_andnot_si128(_mm_or_si128(_mm_or_si128(lf, cr), tab), mark))
                         << shift;
                lineEnds |= bits(lf) << shift;
                sixes |= bits(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('6'))) << shift;
                before |= bits(gOrBlank) << shift;
            }
        } else
#endif
        {
            for (std::uint64_t i = 0; i < count; ++i) {
                const auto c = static_cast<unsigned char>(m_chunk[i]);
                lineEnds |= std::uint64_t(c == '\n') << i;
                marks |= std::uint64_t(marked(c)) << i;
                sixes |= std::uint64_t(c == '6') << i;
                before |= std::uint64_t(beforeSix(c)) << i;
            }
        }
        // A six counts after a G or blank in this chunk or at the end of the one before.
        m_notable = marks | (sixes & ((before << 1) | m_carry));
        m_carry = count == 64 ? before >> 63 : 0;
        m_lineEnds = lineEnds;
        m_next += count;
    }

    const char* m_next;
    const char* const m_end;
    const char* m_chunk = nullptr;
    std::uint64_t m_lineEnds = 0;
    std::uint64_t m_notable = 0;
    std::uint64_t m_carry = 0;
    const char* m_lastNotableBefore = nullptr; // the last notable byte of the chunks before
};
