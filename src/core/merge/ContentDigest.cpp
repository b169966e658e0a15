// The digest of an input's bytes that proves it unchanged, in stripes that join.

#include "ContentDigest.h"

#include "DigestStripes.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using DigestStripes::kKeys;
using DigestStripes::kPrime3;
constexpr std::uint64_t kPrime1 = 11400714785074694791ull;
constexpr std::uint64_t kPrime2 = 14029467366897019727ull;

std::uint64_t mix(std::uint64_t value)
{
    value ^= value >> 33;
    value *= kPrime2;
    value ^= value >> 29;
    value *= kPrime3;
    value ^= value >> 32;
    return value;
}

// Lane by lane, as addStripesWith does a register at a time.
void addPortable(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
                 std::size_t count)
{
    for (std::size_t stripe = 0; stripe < count; ++stripe, stripes += 64) {
        const std::uint64_t keyOffset = (place + stripe) * kPrime3;
        for (int lane = 0; lane < 8; ++lane) {
            std::uint64_t word;
            std::memcpy(&word, stripes + 8 * lane, sizeof word);
            const std::uint64_t keyed = word ^ (kKeys[lane] + keyOffset);
            std::uint64_t partner;
            std::memcpy(&partner, stripes + 8 * (lane ^ 1), sizeof partner);
            lanes[lane] += (keyed & 0xffffffffu) * (keyed >> 32) + partner;
        }
    }
}

#if defined(__SSE2__)
struct Sse2
{
    using Vector = __m128i;
    static constexpr int width = 16;
    static Vector fill(std::uint64_t value)
    {
        return _mm_set1_epi64x(static_cast<long long>(value));
    }
    static Vector load(const void* at) { return _mm_loadu_si128(static_cast<const Vector*>(at)); }
    static void store(void* at, Vector a) { _mm_storeu_si128(static_cast<Vector*>(at), a); }
    static Vector add(Vector a, Vector b) { return _mm_add_epi64(a, b); }
    static Vector exclusiveOr(Vector a, Vector b) { return _mm_xor_si128(a, b); }
    // Of each 64-bit lane, its low half times its high half.
    static Vector multiplyHalves(Vector a)
    {
        return _mm_mul_epu32(a, _mm_shuffle_epi32(a, _MM_SHUFFLE(0, 3, 0, 1)));
    }
    static Vector swapPairs(Vector a) { return _mm_shuffle_epi32(a, _MM_SHUFFLE(1, 0, 3, 2)); }
};

void addSse2(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
             std::size_t count)
{
    DigestStripes::addStripesWith<Sse2>(lanes, place, stripes, count);
}
#endif

} // namespace

std::vector<ContentDigest::StripeFunction> ContentDigest::stripeFunctions()
{
    std::vector<StripeFunction> functions{addPortable};
#if defined(__SSE2__)
    functions.push_back(addSse2);
#endif
#ifdef CORVANE_AVX2_DIGEST
    if (__builtin_cpu_supports("avx2"))
        functions.push_back(DigestStripes::addAvx2);
#endif
    return functions;
}

ContentDigest::StripeFunction ContentDigest::fastestStripeFunction()
{
    static const StripeFunction fastest = stripeFunctions().back();
    return fastest;
}

ContentDigest::ContentDigest(StripeFunction stripes) : m_stripeFunction(stripes)
{
    std::fill(std::begin(m_lanes), std::end(m_lanes), kPrime1);
}

ContentDigest ContentDigest::from(std::uint64_t offset)
{
    // The lanes only add: a later part's start from zero, so that joining adds them to the
    // whole's.
    ContentDigest digest;
    if (offset > 0)
        std::fill(std::begin(digest.m_lanes), std::end(digest.m_lanes), 0);
    digest.m_stripes = offset / kStripe;
    digest.m_total = offset;
    return digest;
}

void ContentDigest::join(const ContentDigest& next)
{
    for (int lane = 0; lane < 8; ++lane)
        m_lanes[lane] += next.m_lanes[lane];
    m_stripes = next.m_stripes;
    m_total = next.m_total;
    std::memcpy(m_pending, next.m_pending, next.m_pendingSize);
    m_pendingSize = next.m_pendingSize;
}

void ContentDigest::consumeStripes(const unsigned char* stripes, std::size_t count)
{
    m_stripeFunction(m_lanes, m_stripes, stripes, count);
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
