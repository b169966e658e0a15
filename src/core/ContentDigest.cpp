#include "ContentDigest.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t kPrime1 = 11400714785074694791ull;
constexpr std::uint64_t kPrime2 = 14029467366897019727ull;
constexpr std::uint64_t kPrime3 = 1609587929392839161ull;
// Keys of the eight lanes; a stripe's keys are these plus its place times kPrime3.
constexpr std::uint64_t kKeys[8] = {
    0xbe4ba423396cfeb8ull, 0x1cad21f72c81017cull, 0xdb979083e96dd4deull, 0x1f67b3b7a4a44072ull,
    0x78e5c0cc4ee679cbull, 0x2172ffcc7dd05a82ull, 0x8e2443f7744608b8ull, 0x4c263a81e69035e0ull};

std::uint64_t mix(std::uint64_t value)
{
    value ^= value >> 33;
    value *= kPrime2;
    value ^= value >> 29;
    value *= kPrime3;
    value ^= value >> 32;
    return value;
}

} // namespace

ContentDigest::ContentDigest()
{
    std::fill(std::begin(m_lanes), std::end(m_lanes), kPrime1);
}

// Each lane adds the product of the low and high halves of its keyed word, and the word itself
// with its halves swapped, as XXH3 accumulates.
void ContentDigest::consumeStripes(const unsigned char* stripes, std::size_t count)
{
#if defined(__SSE2__)
    __m128i lanes[4];
    __m128i keys[4];
    const __m128i step = _mm_set1_epi64x(static_cast<long long>(kPrime3));
    const __m128i place = _mm_set1_epi64x(static_cast<long long>(m_stripes * kPrime3));
    for (int part = 0; part < 4; ++part) {
        lanes[part] = _mm_load_si128(reinterpret_cast<const __m128i*>(m_lanes + 2 * part));
        keys[part] = _mm_add_epi64(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(kKeys + 2 * part)), place);
    }
    for (std::size_t stripe = 0; stripe < count; ++stripe, stripes += kStripe)
        for (int part = 0; part < 4; ++part) {
            const __m128i word =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(stripes + 16 * part));
            const __m128i keyed = _mm_xor_si128(word, keys[part]);
            const __m128i product =
                _mm_mul_epu32(keyed, _mm_shuffle_epi32(keyed, _MM_SHUFFLE(0, 3, 0, 1)));
            lanes[part] = _mm_add_epi64(
                lanes[part],
                _mm_add_epi64(product, _mm_shuffle_epi32(word, _MM_SHUFFLE(1, 0, 3, 2))));
            keys[part] = _mm_add_epi64(keys[part], step);
        }
    for (int part = 0; part < 4; ++part)
        _mm_store_si128(reinterpret_cast<__m128i*>(m_lanes + 2 * part), lanes[part]);
#else
    for (std::size_t stripe = 0; stripe < count; ++stripe, stripes += kStripe) {
        const std::uint64_t place = (m_stripes + stripe) * kPrime3;
        for (int lane = 0; lane < 8; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, stripes + 8 * lane, sizeof word);
            const std::uint64_t keyed = word ^ (kKeys[lane] + place);
            // The pairs of lanes swap their words, as the SSE2 shuffle does.
            std::uint64_t partner;
            std::memcpy(&partner, stripes + 8 * (lane ^ 1), sizeof partner);
            m_lanes[lane] += (keyed & 0xffffffffu) * (keyed >> 32) + partner;
        }
    }
#endif
    m_stripes += count;
}

void ContentDigest::add(const char* bytes, std::size_t count)
{
    auto input = reinterpret_cast<const unsigned char*>(bytes);
    m_total += count;
    if (m_pendingSize > 0) {
        const std::size_t taken = std::min(count, kStripe - m_pendingSize);
        std::memcpy(m_pending + m_pendingSize, input, taken);
        m_pendingSize += taken;
        input += taken;
        count -= taken;
        if (m_pendingSize < kStripe)
            return;
        consumeStripes(m_pending, 1);
        m_pendingSize = 0;
    }
    const std::size_t whole = count / kStripe;
    consumeStripes(input, whole);
    input += whole * kStripe;
    count -= whole * kStripe;
    std::memcpy(m_pending, input, count);
    m_pendingSize = count;
}

std::uint64_t ContentDigest::value() const
{
    std::uint64_t hash = m_total * kPrime1;
    for (std::uint64_t lane : m_lanes)
        hash = mix(hash ^ lane) + kPrime2;
    for (std::size_t i = 0; i < m_pendingSize; ++i)
        hash = mix(hash ^ (std::uint64_t(m_pending[i]) << (8 * (i % 8))) ^ i);
    return mix(hash);
}
