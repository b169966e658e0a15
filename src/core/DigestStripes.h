#pragma once

#include <cstddef>
#include <cstdint>

// The keys of ContentDigest's lanes, shared by its stripe functions of every register width.
namespace DigestStripes {

inline constexpr std::uint64_t kPrime3 = 1609587929392839161ull;
// Keys of the eight lanes; a stripe's keys are these plus its place times kPrime3.
inline constexpr std::uint64_t kKeys[8] = {
    0xbe4ba423396cfeb8ull, 0x1cad21f72c81017cull, 0xdb979083e96dd4deull, 0x1f67b3b7a4a44072ull,
    0x78e5c0cc4ee679cbull, 0x2172ffcc7dd05a82ull, 0x8e2443f7744608b8ull, 0x4c263a81e69035e0ull};

#ifdef CORVANE_AVX2_DIGEST
void addAvx2(std::uint64_t* lanes, std::uint64_t place, const unsigned char* stripes,
             std::size_t count); // in ContentDigestAvx2.cpp
#endif

} // namespace DigestStripes
