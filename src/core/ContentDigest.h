#pragma once

#include <cstddef>
#include <cstdint>

// A fast 64-bit digest of a byte stream (the XXH64 construction), fed in pieces of any size:
// the same bytes give the same value however they were cut. It tells whether a file still holds
// what was read; it is no defence against a forged collision.
class ContentDigest
{
public:
    ContentDigest();

    void add(const char* bytes, std::size_t count);
    std::uint64_t value() const;
    std::uint64_t bytes() const { return m_total; }

private:
    static constexpr std::size_t kStripe = 32;

    void consumeStripe(const unsigned char* stripe);

    std::uint64_t m_lanes[4];
    unsigned char m_pending[kStripe];
    std::size_t m_pendingSize = 0;
    std::uint64_t m_total = 0;
};
