#include "core/merge/ContentDigest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::uint64_t
digestOf(const std::string& bytes, std::size_t piece,
         ContentDigest::StripeFunction stripes = ContentDigest::stripeFunctions().back())
{
    ContentDigest digest(stripes);
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        digest.add(bytes.data() + at, std::min(piece, bytes.size() - at));
    return digest.value();
}

} // namespace

// The same value whatever pieces the bytes arrive in; one changed byte anywhere, two stripes
// swapped, or a byte more changes it.
TEST(ContentDigest, TellsTheBytesHoweverTheyArrive)
{
    std::string program;
    for (int i = 0; i < 300; ++i)
        program += "N" + std::to_string(i) + " G01 X" + std::to_string(i * 7) + "\r\n";
    const std::uint64_t whole = digestOf(program, program.size());
    for (std::size_t piece : {1, 3, 31, 32, 33, 4096})
        EXPECT_EQ(digestOf(program, piece), whole) << piece;
    for (std::size_t at : {std::size_t(0), std::size_t(31), program.size() - 1}) {
        std::string changed = program;
        changed[at] ^= 1;
        EXPECT_NE(digestOf(changed, 64), whole) << at;
    }
    std::string swapped = program;
    std::swap_ranges(swapped.begin(), swapped.begin() + 64, swapped.begin() + 128);
    EXPECT_NE(digestOf(swapped, 4096), whole);
    EXPECT_NE(digestOf(program + '\0', 4096), whole);
    // Parts digested apart, each from its place, join into the whole's.
    ContentDigest first;
    first.add(program.data(), 640);
    ContentDigest rest = ContentDigest::from(640);
    rest.add(program.data() + 640, program.size() - 640);
    first.join(rest);
    EXPECT_EQ(first.value(), whole);
    EXPECT_EQ(first.bytes(), program.size());
    EXPECT_NE(digestOf("", 1), digestOf(std::string(1, '\0'), 1));
}

// Each width of register the processor runs gives the value of the portable lanes, whatever
// the place of the stripes.
TEST(ContentDigest, EveryStripeFunctionAgrees)
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += static_cast<char>((i * 131 + i / 7) & 0xFF);
    const auto functions = ContentDigest::stripeFunctions();
    for (std::size_t piece : {1, 64, 1000, 5000})
        for (const ContentDigest::StripeFunction function : functions)
            EXPECT_EQ(digestOf(bytes, piece, function), digestOf(bytes, piece, functions.front()))
                << piece;
}
