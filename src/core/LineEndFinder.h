#pragma once

#include <bit>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Finds the LF bytes of a stretch of memory in order. It compares 64 bytes at once and hands
// out the positions from a bit mask: far cheaper than a search per line where lines are short.
class LineEndFinder
{
public:
    LineEndFinder(const char* begin, const char* end) : m_next(begin), m_end(end) {}

    // The next LF, or nullptr after the last.
    const char* next()
    {
        while (m_mask == 0) {
            if (m_next == m_end)
                return nullptr;
            load();
        }
        const int bit = std::countr_zero(m_mask);
        m_mask &= m_mask - 1;
        return m_chunk + bit;
    }

private:
    void load()
    {
        m_chunk = m_next;
        const auto left = static_cast<std::uint64_t>(m_end - m_next);
        m_mask = 0;
        if (left < 64) {
            for (std::uint64_t i = 0; i < left; ++i)
                m_mask |= std::uint64_t(m_chunk[i] == '\n') << i;
            m_next = m_end;
            return;
        }
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n');
        for (int part = 0; part < 4; ++part) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(m_chunk + 16 * part));
            const auto found =
                static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
            m_mask |= std::uint64_t(found) << (16 * part);
        }
#else
        for (int i = 0; i < 64; ++i)
            m_mask |= std::uint64_t(m_chunk[i] == '\n') << i;
#endif
        m_next += 64;
    }

    const char* m_next;
    const char* const m_end;
    const char* m_chunk = nullptr;
    std::uint64_t m_mask = 0;
};
