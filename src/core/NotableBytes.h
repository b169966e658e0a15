#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Finds, in a stretch of an ISO program, the bytes without which a line kept by the merge holds
// none of the facts it is checked for: the letters of M and O words (O also in GOTO) in either
// case, "%", a control byte other than a tab or line feed, and a "6" after a G or a blank (G65,
// G66). A kept line without any needs no reading word by word, which spares most lines of a
// program. It looks at 64 bytes at once, as LineEndFinder does.
class NotableBytes
{
public:
    NotableBytes(const char* begin, const char* end) : m_next(begin), m_end(end) { advance(); }

    // Whether [from, to) holds a notable byte; asked in order of from.
    bool within(const char* from, const char* to)
    {
        while (m_found && m_found < from)
            advance();
        return m_found && m_found < to;
    }

private:
    void advance()
    {
        while (m_mask == 0) {
            if (m_next == m_end) {
                m_found = nullptr;
                return;
            }
            load();
        }
        m_found = m_chunk + std::countr_zero(m_mask);
        m_mask &= m_mask - 1;
    }

    static bool notable(unsigned char c)
    {
        const unsigned char folded = c & 0xDF;
        return folded == 'M' || folded == 'O' || c == '%' || (c < 0x20 && c != '\t' && c != '\n');
    }
    static bool beforeSix(unsigned char c) { return (c & 0xDF) == 'G' || c == ' ' || c == '\t'; }

    void load()
    {
        m_chunk = m_next;
        const auto left = static_cast<std::uint64_t>(m_end - m_next);
        const std::uint64_t count = left < 64 ? left : 64;
        std::uint64_t marked = 0;
        std::uint64_t sixes = 0;
        std::uint64_t before = 0;
#if defined(__SSE2__)
        if (count == 64) {
            const __m128i caseBit = _mm_set1_epi8(char(0xDF));
            const __m128i lastControl = _mm_set1_epi8(0x1F);
            for (int part = 0; part < 4; ++part) {
                const __m128i bytes =
                    _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_chunk + 16 * part));
                const __m128i folded = _mm_and_si128(bytes, caseBit);
                const __m128i control =
                    _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t')),
                                                  _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))),
                                     _mm_cmpeq_epi8(_mm_min_epu8(bytes, lastControl), bytes));
                const __m128i mark =
                    _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('M')),
                                              _mm_cmpeq_epi8(folded, _mm_set1_epi8('O'))),
                                 _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('%')), control));
                const __m128i gOrBlank =
                    _mm_or_si128(_mm_cmpeq_epi8(folded, _mm_set1_epi8('G')),
                                 _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(' ')),
                                              _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\t'))));
                const int shift = 16 * part;
                marked |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(mark))) << shift;
                sixes |= std::uint64_t(std::uint32_t(
                             _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('6')))))
                         << shift;
                before |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(gOrBlank))) << shift;
            }
        } else
#endif
        {
            for (std::uint64_t i = 0; i < count; ++i) {
                const auto c = static_cast<unsigned char>(m_chunk[i]);
                marked |= std::uint64_t(notable(c)) << i;
                sixes |= std::uint64_t(c == '6') << i;
                before |= std::uint64_t(beforeSix(c)) << i;
            }
        }
        // A six counts after a G or blank in this chunk or at the end of the one before.
        m_mask = marked | (sixes & ((before << 1) | m_carry));
        m_carry = count == 64 ? before >> 63 : 0;
        m_next += count;
    }

    const char* m_next;
    const char* const m_end;
    const char* m_chunk = nullptr;
    const char* m_found = nullptr;
    std::uint64_t m_mask = 0;
    std::uint64_t m_carry = 0;
};
