#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A fast 64-bit digest of a byte stream, fed in pieces of any size: the same bytes give the
// same value however they were cut. Eight lanes multiply and accumulate 64 bytes at a time, each
// stripe keyed by its place, so that moved, swapped or changed bytes change the value; it tells
// whether a file still holds what was read, within one run of the program, and is no defence
// against a forged collision.
class ContentDigest
{
public:
    static constexpr std::size_t kStripe = 64;
    // Adds count stripes to the eight lanes; place is the number of stripes before them.
    using StripeFunction = void (*)(std::uint64_t* lanes, std::uint64_t place,
                                    const unsigned char* stripes, std::size_t count);

    // Every stripe function this processor runs, the fastest last; they give the same lanes.
    static std::vector<StripeFunction> stripeFunctions();

    explicit ContentDigest(StripeFunction stripes = fastestStripeFunction());
    // A digest of the bytes that follow the first offset ones, a multiple of kStripe: digests
    // of parts of a stream, taken apart, join into the stream's.
    static ContentDigest from(std::uint64_t offset);

    void add(const char* bytes, std::size_t count);
    // Takes in the digest of the bytes that follow these, which must end at a whole stripe.
    void join(const ContentDigest& next);
    std::uint64_t value() const;
    std::uint64_t bytes() const { return m_total; }

private:
    static StripeFunction fastestStripeFunction();
    void consumeStripes(const unsigned char* stripes, std::size_t count);

    StripeFunction m_stripeFunction;
    std::uint64_t m_lanes[8];
    std::uint64_t m_stripes = 0; // consumed so far: each stripe's key depends on its place
    unsigned char m_pending[kStripe];
    std::size_t m_pendingSize = 0;
    std::uint64_t m_total = 0;
};
