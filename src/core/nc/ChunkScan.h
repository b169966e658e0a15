#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// Of up to 64 bytes, one bit a byte: the LFs, the marked bytes (letters of M and O words, "%",
// control bytes but tab, CR and LF), the sixes, the zeros, and the bytes a digit of a G code
// counts after (G, blank, tab). For placement also the letters G.
struct ChunkMasks
{
    std::uint64_t lineEnds = 0;
    std::uint64_t marks = 0;
    std::uint64_t sixes = 0;
    std::uint64_t zeros = 0;
    std::uint64_t before = 0;
    std::uint64_t letterG = 0;
};

// The masks of 64 bytes, Ops::width at a time, with the vector operations of Ops: the same
// comparisons for every register width. The letters G are kept only for placement.
template <typename Ops, bool placement> inline ChunkMasks scanChunkWith(const char* chunk)
{
    using V = typename Ops::Vector;
    ChunkMasks masks;
    const V caseBit = Ops::fill(char(0xDF));
    for (int part = 0; part < 64 / Ops::width; ++part) {
        const V bytes = Ops::load(chunk + Ops::width * part);
        const V folded = Ops::both(bytes, caseBit);
        const V low = Ops::equal(Ops::lesser(bytes, Ops::fill(0x1F)), bytes);
        const V letters =
            Ops::either(Ops::equal(folded, Ops::fill('M')), Ops::equal(folded, Ops::fill('O')));
        const V mark = Ops::either(Ops::either(letters, low), Ops::equal(bytes, Ops::fill('%')));
        const V lf = Ops::equal(bytes, Ops::fill('\n'));
        const V tab = Ops::equal(bytes, Ops::fill('\t'));
        const V cr = Ops::equal(bytes, Ops::fill('\r'));
        const V blank = Ops::either(Ops::equal(bytes, Ops::fill(' ')), tab);
        const V letterG = Ops::equal(folded, Ops::fill('G'));
        const V gOrBlank = Ops::either(letterG, blank);
        const int shift = Ops::width * part;
        // Tabs, CRs and LFs were marked as low bytes: they are taken out again.
        masks.marks |= Ops::bits(Ops::butNot(Ops::either(Ops::either(lf, cr), tab), mark)) << shift;
        masks.lineEnds |= Ops::bits(lf) << shift;
        masks.sixes |= Ops::bits(Ops::equal(bytes, Ops::fill('6'))) << shift;
        masks.zeros |= Ops::bits(Ops::equal(bytes, Ops::fill('0'))) << shift;
        masks.before |= Ops::bits(gOrBlank) << shift;
        if constexpr (placement)
            masks.letterG |= Ops::bits(letterG) << shift;
    }
    return masks;
}

// What the line scan keeps of 64 bytes: the LFs, and the notable bytes.
struct ChunkNotes
{
    std::uint64_t lineEnds = 0;
    std::uint64_t notable = 0;
};

// What a chunk tells the next: whether a six at its first byte would be a G code's first digit
// (its last byte is a G, a blank, or a zero that follows one of them).
using ChunkCarry = std::uint64_t;

// Whether the G code whose digits start at `at` is one placement must read: its first digit
// other than zero, blanks and zeros skipped as the control skips them, is a 5, 6 or 9 (G54 to
// G59, G054, G505 to G599, G52, G92, G065), or a 1 followed, blanks skipped, by a 0 (G10); or
// the stretch ends before the code tells.
inline bool offsetCodeAt(const char* at, const char* end)
{
    const auto skip = [end](const char* p, bool zeros) {
        while (p < end && (*p == ' ' || *p == '\t' || (zeros && *p == '0')))
            ++p;
        return p;
    };
    const char* digit = skip(at, true);
    if (digit == end || *digit == '5' || *digit == '6' || *digit == '9')
        return true;
    if (*digit != '1')
        return false;
    const char* next = skip(digit + 1, false);
    return next == end || *next == '0';
}

// The notable bytes of a chunk: its marks and a six right after a G or blank, or after zeros
// that follow one (G65, G066, G 0065). For
// placement also every G whose code may select or shift a work offset, read in place up to
// the stretch's end: a G stands in the line of its digits, so noting it notes the line.
template <bool placement>
inline ChunkNotes notesOf(const ChunkMasks& masks, ChunkCarry& carry, const char* chunk,
                          const char* end)
{
    // A six counts right after a G or blank, and after a run of zeros that starts there: adding
    // the run's first bit carries through it to the byte after its end.
    const std::uint64_t afterPrefix = (masks.before << 1) | carry;
    const std::uint64_t sum = masks.zeros + (masks.zeros & afterPrefix);
    const std::uint64_t afterZeros = sum & ~masks.zeros;
    const std::uint64_t leadingZeros = masks.zeros & ~sum;
    std::uint64_t notable = masks.marks | (masks.sixes & (afterPrefix | afterZeros));
    carry = (masks.before | leadingZeros) >> 63;
    if constexpr (placement)
        for (std::uint64_t g = masks.letterG; g != 0; g &= g - 1) {
            const int bit = std::countr_zero(g);
            if (offsetCodeAt(chunk + bit + 1, end))
                notable |= std::uint64_t(1) << bit;
        }
    return {masks.lineEnds, notable};
}

// Notes count whole chunks in one call, so that the loop runs with the registers of Ops and
// nothing is called a chunk.
template <typename Ops, bool placement>
inline ChunkCarry noteChunksWith(const char* chunks, std::size_t count, const char* end,
                                 ChunkCarry carry, ChunkNotes* notes)
{
    for (std::size_t i = 0; i < count; ++i) {
        const char* chunk = chunks + 64 * i;
        notes[i] = notesOf<placement>(scanChunkWith<Ops, placement>(chunk), carry, chunk, end);
    }
    return carry;
}
