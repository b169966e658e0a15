#include "ContentDigest.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint64_t kPrime1 = 11400714785074694791ull;
constexpr std::uint64_t kPrime2 = 14029467366897019727ull;
constexpr std::uint64_t kPrime3 = 1609587929392839161ull;
constexpr std::uint64_t kPrime4 = 9650029242287828579ull;
constexpr std::uint64_t kPrime5 = 2870177450012600261ull;

constexpr std::uint64_t rotateLeft(std::uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

constexpr std::uint64_t round(std::uint64_t accumulator, std::uint64_t input)
{
    return rotateLeft(accumulator + input * kPrime2, 31) * kPrime1;
}

std::uint64_t load64(const unsigned char* bytes)
{
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::uint32_t load32(const unsigned char* bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

} // namespace

ContentDigest::ContentDigest() : m_lanes{kPrime1 + kPrime2, kPrime2, 0, 0 - kPrime1} {}

void ContentDigest::consumeStripe(const unsigned char* stripe)
{
    for (int lane = 0; lane < 4; ++lane)
        m_lanes[lane] = round(m_lanes[lane], load64(stripe + 8 * lane));
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
        consumeStripe(m_pending);
        m_pendingSize = 0;
    }
    for (; count >= kStripe; input += kStripe, count -= kStripe)
        consumeStripe(input);
    std::memcpy(m_pending, input, count);
    m_pendingSize = count;
}

std::uint64_t ContentDigest::value() const
{
    std::uint64_t hash;
    if (m_total >= kStripe) {
        hash = rotateLeft(m_lanes[0], 1) + rotateLeft(m_lanes[1], 7) + rotateLeft(m_lanes[2], 12) +
               rotateLeft(m_lanes[3], 18);
        for (std::uint64_t lane : m_lanes)
            hash = (hash ^ round(0, lane)) * kPrime1 + kPrime4;
    } else {
        hash = kPrime5;
    }
    hash += m_total;
    const unsigned char* tail = m_pending;
    std::size_t left = m_pendingSize;
    for (; left >= 8; tail += 8, left -= 8)
        hash = rotateLeft(hash ^ round(0, load64(tail)), 27) * kPrime1 + kPrime4;
    if (left >= 4) {
        hash = rotateLeft(hash ^ (std::uint64_t(load32(tail)) * kPrime1), 23) * kPrime2 + kPrime3;
        tail += 4;
        left -= 4;
    }
    for (; left > 0; ++tail, --left)
        hash = rotateLeft(hash ^ (*tail * kPrime5), 11) * kPrime1;
    hash ^= hash >> 33;
    hash *= kPrime2;
    hash ^= hash >> 29;
    hash *= kPrime3;
    hash ^= hash >> 32;
    return hash;
}
