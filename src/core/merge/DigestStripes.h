#pragma once

#include <cstddef>
#include <cstdint>

// The keys and arithmetic of ContentDigest's lanes, shared by its stripe functions of every
// register width.
namespace DigestStripes {

inline constexpr std::uint64_t kPrime3 = 1609587929392839161ull;
// Keys of the eight lanes; a stripe's keys are these plus its place times kPrime3.
inline constexpr std::uint64_t kKeys[8] = {
    0xbe4ba423396cfeb8ull, 0x1cad21f72c81017cull, 0xdb979083e96dd4deull, 0x1f67b3b7a4a44072ull,
    0x78e5c0cc4ee679cbull, 0x2172ffcc7dd05a82ull, 0x8e2443f7744608b8ull, 0x4c263a81e69035e0ull};

// Adds count stripes to the lanes with the vector operations of Ops, a register of
// Ops::width bytes at a time: the same arithmetic for every register width. Each lane adds the
// product of the low and high halves of its keyed word, and the word of its pair's lane, as
// XXH3 accumulates.
template <typename Ops>
inline void addStripesWith(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
                           std::size_t count)
{
    using V = typename Ops::Vector;
    constexpr int parts = 64 / Ops::width;
    constexpr int lanesPerPart = Ops::width / 8;
    V sums[parts];
    V keys[parts];
    const V step = Ops::fill(kPrime3);
    const V placed = Ops::fill(place * kPrime3);
    for (int part = 0; part < parts; ++part) {
        sums[part] = Ops::load(lanes + lanesPerPart * part);
        keys[part] = Ops::add(Ops::load(kKeys + lanesPerPart * part), placed);
    }
    for (std::size_t stripe = 0; stripe < count; ++stripe, stripes += 64)
        for (int part = 0; part < parts; ++part) {
            const V word = Ops::load(stripes + Ops::width * part);
            const V keyed = Ops::exclusiveOr(word, keys[part]);
            sums[part] =
                Ops::add(sums[part], Ops::add(Ops::multiplyHalves(keyed), Ops::swapPairs(word)));
            keys[part] = Ops::add(keys[part], step);
        }
    for (int part = 0; part < parts; ++part)
        Ops::store(lanes + lanesPerPart * part, sums[part]);
}

#ifdef CORVANE_AVX2_DIGEST
void addAvx2(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
             std::size_t count); // in ContentDigestAvx2.cpp
#endif

} // namespace DigestStripes
