// Built with AVX2 and called only where the processor has it: nothing else belongs here, so
// that no code shared with the rest of the program is compiled for AVX2.
#include "DigestStripes.h"

#include <immintrin.h>

// The lanes of the SSE2 function, two registers of four lanes instead of four of two.
void DigestStripes::addAvx2(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
                            std::size_t count)
{
    __m256i sums[2];
    __m256i keys[2];
    const __m256i step = _mm256_set1_epi64x(static_cast<long long>(kPrime3));
    const __m256i placed = _mm256_set1_epi64x(static_cast<long long>(place * kPrime3));
    for (int part = 0; part < 2; ++part) {
        sums[part] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes + 4 * part));
        keys[part] = _mm256_add_epi64(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kKeys + 4 * part)), placed);
    }
    for (std::size_t stripe = 0; stripe < count; ++stripe, stripes += 64)
        for (int part = 0; part < 2; ++part) {
            const __m256i word =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(stripes + 32 * part));
            const __m256i keyed = _mm256_xor_si256(word, keys[part]);
            const __m256i product =
                _mm256_mul_epu32(keyed, _mm256_shuffle_epi32(keyed, _MM_SHUFFLE(0, 3, 0, 1)));
            sums[part] = _mm256_add_epi64(
                sums[part],
                _mm256_add_epi64(product, _mm256_shuffle_epi32(word, _MM_SHUFFLE(1, 0, 3, 2))));
            keys[part] = _mm256_add_epi64(keys[part], step);
        }
    for (int part = 0; part < 2; ++part)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes + 4 * part), sums[part]);
}
