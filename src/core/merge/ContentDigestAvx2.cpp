// Built with AVX2 and called only where the processor has it: nothing else belongs here, so
// that no code shared with the rest of the program is compiled for AVX2.
#include "DigestStripes.h"

#include <immintrin.h>

namespace {

struct Avx2
{
    using Vector = __m256i;
    static constexpr int width = 32;
    static Vector fill(std::uint64_t value)
    {
        return _mm256_set1_epi64x(static_cast<long long>(value));
    }
    static Vector load(const void* at)
    {
        return _mm256_loadu_si256(static_cast<const Vector*>(at));
    }
    static void store(void* at, Vector a) { _mm256_storeu_si256(static_cast<Vector*>(at), a); }
    static Vector add(Vector a, Vector b) { return _mm256_add_epi64(a, b); }
    static Vector exclusiveOr(Vector a, Vector b) { return _mm256_xor_si256(a, b); }
    // Of each 64-bit lane, its low half times its high half.
    static Vector multiplyHalves(Vector a)
    {
        return _mm256_mul_epu32(a, _mm256_shuffle_epi32(a, _MM_SHUFFLE(0, 3, 0, 1)));
    }
    static Vector swapPairs(Vector a) { return _mm256_shuffle_epi32(a, _MM_SHUFFLE(1, 0, 3, 2)); }
};

} // namespace

void DigestStripes::addAvx2(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
                            std::size_t count)
{
    addStripesWith<Avx2>(lanes, place, stripes, count);
}
