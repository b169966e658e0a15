#pragma once

#include <cstddef>
#include <cstdint>

// Of up to 64 bytes, one bit a byte: the LFs, the marked bytes (letters of M and O words, "%",
// control bytes but tab, CR and LF), the sixes, and the bytes a six counts after (G, blank, tab).
struct ChunkMasks
{
    std::uint64_t lineEnds = 0;
    std::uint64_t marks = 0;
    std::uint64_t sixes = 0;
    std::uint64_t before = 0;
};

// The masks of 64 bytes, Ops::width at a time, with the vector operations of Ops: the same
// comparisons for every register width.
template <typename Ops> inline ChunkMasks scanChunkWith(const char* chunk)
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
        const V gOrBlank = Ops::either(
            Ops::either(Ops::equal(folded, Ops::fill('G')), Ops::equal(bytes, Ops::fill(' '))),
            tab);
        const int shift = Ops::width * part;
        // Tabs, CRs and LFs were marked as low bytes: they are taken out again.
        masks.marks |= Ops::bits(Ops::butNot(Ops::either(Ops::either(lf, cr), tab), mark)) << shift;
        masks.lineEnds |= Ops::bits(lf) << shift;
        masks.sixes |= Ops::bits(Ops::equal(bytes, Ops::fill('6'))) << shift;
        masks.before |= Ops::bits(gOrBlank) << shift;
    }
    return masks;
}

// What the line scan keeps of 64 bytes: the LFs, and the notable bytes (marks, and sixes after
// a G or blank).
struct ChunkNotes
{
    std::uint64_t lineEnds = 0;
    std::uint64_t notable = 0;
};

// A six counts after a G or blank in the chunk or, by carry, at the end of the one before.
inline ChunkNotes notesOf(const ChunkMasks& masks, std::uint64_t carry)
{
    return {masks.lineEnds, masks.marks | (masks.sixes & ((masks.before << 1) | carry))};
}

// Notes count whole chunks in one call, so that the loop runs with the registers of Ops and
// nothing is called a chunk. carry: whether the byte before the first chunk is a G or blank;
// returns the same of the last byte.
template <typename Ops>
inline std::uint64_t noteChunksWith(const char* chunks, std::size_t count, std::uint64_t carry,
                                    ChunkNotes* notes)
{
    for (std::size_t i = 0; i < count; ++i) {
        const ChunkMasks masks = scanChunkWith<Ops>(chunks + 64 * i);
        notes[i] = notesOf(masks, carry);
        carry = masks.before >> 63;
    }
    return carry;
}
