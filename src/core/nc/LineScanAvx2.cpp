// Built with AVX2 and called only where the processor has it: nothing else belongs here, so
// that no code shared with the rest of the program is compiled for AVX2.
#include "ChunkScan.h"

#include <immintrin.h>

namespace {

struct Avx2
{
    using Vector = __m256i;
    static constexpr int width = 32;
    static Vector fill(char c) { return _mm256_set1_epi8(c); }
    static Vector load(const char* at)
    {
        return _mm256_loadu_si256(reinterpret_cast<const Vector*>(at));
    }
    static Vector both(Vector a, Vector b) { return _mm256_and_si256(a, b); }
    static Vector either(Vector a, Vector b) { return _mm256_or_si256(a, b); }
    static Vector butNot(Vector without, Vector a) { return _mm256_andnot_si256(without, a); }
    static Vector equal(Vector a, Vector b) { return _mm256_cmpeq_epi8(a, b); }
    static Vector lesser(Vector a, Vector b) { return _mm256_min_epu8(a, b); }
    static std::uint64_t bits(Vector a) { return std::uint32_t(_mm256_movemask_epi8(a)); }
};

} // namespace

ChunkCarry noteChunksAvx2(const char* chunks, std::size_t count, const char* end, ChunkCarry carry,
                          ChunkNotes* notes, bool placement)
{
    return placement ? noteChunksWith<Avx2, true>(chunks, count, end, carry, notes)
                     : noteChunksWith<Avx2, false>(chunks, count, end, carry, notes);
}
