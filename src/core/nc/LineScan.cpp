// The chunk scanner that finds line ends and notable bytes, 64 bytes at a time.

#include "LineScan.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

#ifdef CORVANE_AVX2_SCAN
ChunkCarry noteChunksAvx2(const char* chunks, std::size_t count, const char* end, ChunkCarry carry,
                          ChunkNotes* notes,
                          bool placement); // in LineScanAvx2.cpp
#endif

namespace {

bool marked(unsigned char c)
{
    const unsigned char folded = c & 0xDF;
    return folded == 'M' || folded == 'O' || c == '%' ||
           (c < 0x20 && c != '\t' && c != '\n' && c != '\r');
}

bool beforeDigit(unsigned char c)
{
    return (c & 0xDF) == 'G' || c == ' ' || c == '\t';
}

ChunkCarry noteChunksBytewise(const char* chunks, std::size_t count, const char* end,
                              ChunkCarry carry, ChunkNotes* notes, bool placement)
{
    for (std::size_t i = 0; i < count; ++i) {
        const char* chunk = chunks + 64 * i;
        const ChunkMasks masks = scanChunkTail(chunk, 64);
        notes[i] = placement ? notesOf<true>(masks, carry, chunk, end)
                             : notesOf<false>(masks, carry, chunk, end);
    }
    return carry;
}

#if defined(__x86_64__)
struct Sse2
{
    using Vector = __m128i;
    static constexpr int width = 16;
    static Vector fill(char c) { return _mm_set1_epi8(c); }
    static Vector load(const char* at)
    {
        return _mm_loadu_si128(reinterpret_cast<const Vector*>(at));
    }
    static Vector both(Vector a, Vector b) { return _mm_and_si128(a, b); }
    static Vector either(Vector a, Vector b) { return _mm_or_si128(a, b); }
    static Vector butNot(Vector without, Vector a) { return _mm_andnot_si128(without, a); }
    static Vector equal(Vector a, Vector b) { return _mm_cmpeq_epi8(a, b); }
    static Vector lesser(Vector a, Vector b) { return _mm_min_epu8(a, b); }
    static std::uint64_t bits(Vector a) { return std::uint32_t(_mm_movemask_epi8(a)); }
};

ChunkCarry noteChunksSse2(const char* chunks, std::size_t count, const char* end, ChunkCarry carry,
                          ChunkNotes* notes, bool placement)
{
    return placement ? noteChunksWith<Sse2, true>(chunks, count, end, carry, notes)
                     : noteChunksWith<Sse2, false>(chunks, count, end, carry, notes);
}
#endif

} // namespace

ChunkMasks scanChunkTail(const char* chunk, std::size_t count)
{
    ChunkMasks masks;
    for (std::size_t i = 0; i < count; ++i) {
        const auto c = static_cast<unsigned char>(chunk[i]);
        masks.lineEnds |= std::uint64_t(c == '\n') << i;
        masks.marks |= std::uint64_t(marked(c)) << i;
        masks.sixes |= std::uint64_t(c == '6') << i;
        masks.zeros |= std::uint64_t(c == '0') << i;
        masks.before |= std::uint64_t(beforeDigit(c)) << i;
        masks.letterG |= std::uint64_t((c & 0xDF) == 'G') << i;
    }
    return masks;
}

std::vector<ChunkScanner> chunkScanners()
{
    std::vector<ChunkScanner> scanners{noteChunksBytewise};
#if defined(__x86_64__)
    scanners.push_back(noteChunksSse2);
#endif
#ifdef CORVANE_AVX2_SCAN
    if (__builtin_cpu_supports("avx2"))
        scanners.push_back(noteChunksAvx2);
#endif
    return scanners;
}

ChunkScanner fastestChunkScanner()
{
    static const ChunkScanner fastest = chunkScanners().back();
    return fastest;
}
