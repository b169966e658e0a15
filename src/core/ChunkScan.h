#pragma once

#include <cstddef>
#include <cstdint>

// Of up to 64 bytes, one bit a byte: the LFs, the marked bytes (letters of M and O words, "%",
// control bytes but tab, CR and LF), the sixes, and the bytes a digit of a G code counts after
// (G, blank, tab). For placement also the digits of work-offset codes and what may stand
// between a G and them (zeros, blanks).
struct ChunkMasks
{
    std::uint64_t lineEnds = 0;
    std::uint64_t marks = 0;
    std::uint64_t sixes = 0;
    std::uint64_t before = 0;
    std::uint64_t letterG = 0;
    std::uint64_t zeros = 0;
    std::uint64_t ones = 0;
    std::uint64_t fivesAndNines = 0;
    std::uint64_t blanks = 0; // blanks and tabs
};

// The masks of 64 bytes, Ops::width at a time, with the vector operations of Ops: the same
// comparisons for every register width. The digits of placement are looked at only for it.
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
        masks.before |= Ops::bits(gOrBlank) << shift;
        if constexpr (placement) {
            masks.letterG |= Ops::bits(letterG) << shift;
            masks.zeros |= Ops::bits(Ops::equal(bytes, Ops::fill('0'))) << shift;
            masks.ones |= Ops::bits(Ops::equal(bytes, Ops::fill('1'))) << shift;
            const V fiveOrNine =
                Ops::either(Ops::equal(bytes, Ops::fill('5')), Ops::equal(bytes, Ops::fill('9')));
            masks.fivesAndNines |= Ops::bits(fiveOrNine) << shift;
            masks.blanks |= Ops::bits(blank) << shift;
        }
    }
    return masks;
}

// What the line scan keeps of 64 bytes: the LFs, and the notable bytes.
struct ChunkNotes
{
    std::uint64_t lineEnds = 0;
    std::uint64_t notable = 0;
};

// What a chunk tells the next: bit 0, its last byte is a G or blank; bit 1, the next byte
// follows a G through zeros and blanks only; bit 2, the next byte follows such a 1 through
// blanks only.
using ChunkCarry = std::uint64_t;

// The notable bytes of a chunk: its marks and a six right after a G or blank (G65, G66). For
// placement also the first digit other than zero after a G, blanks between, when it is a 5, 6
// or 9 (G54 to G59, G054, G505 to G599, G52, G92, G065) or a 1 followed by 0, blanks between
// (G10): so blanks and leading zeros, which the control ignores, hide no offset.
template <bool placement> inline ChunkNotes notesOf(const ChunkMasks& masks, ChunkCarry& carry)
{
    const std::uint64_t afterG = (masks.before << 1) | (carry & 1);
    std::uint64_t notable = masks.marks | (masks.sixes & afterG);
    ChunkCarry next = masks.before >> 63;
    if constexpr (placement) {
        const std::uint64_t between = masks.zeros | masks.blanks;
        const std::uint64_t starts = (masks.letterG << 1) | ((carry >> 1) & 1);
        // An addition runs each start through the zeros and blanks after it, up to and
        // including the first other byte.
        const std::uint64_t reached = starts | ((between + (starts & between)) ^ between);
        const std::uint64_t ones = reached & masks.ones;
        const std::uint64_t afterOne = (ones << 1) | ((carry >> 2) & 1);
        const std::uint64_t reachedAfterOne =
            afterOne | ((masks.blanks + (afterOne & masks.blanks)) ^ masks.blanks);
        notable |=
            (reached & (masks.fivesAndNines | masks.sixes)) | (masks.zeros & reachedAfterOne);
        next |= (((masks.letterG | (reached & between)) >> 63) << 1) |
                (((ones | (reachedAfterOne & masks.blanks)) >> 63) << 2);
    }
    carry = next;
    return {masks.lineEnds, notable};
}

// Notes count whole chunks in one call, so that the loop runs with the registers of Ops and
// nothing is called a chunk.
template <typename Ops, bool placement>
inline ChunkCarry noteChunksWith(const char* chunks, std::size_t count, ChunkCarry carry,
                                 ChunkNotes* notes)
{
    for (std::size_t i = 0; i < count; ++i)
        notes[i] = notesOf<placement>(scanChunkWith<Ops, placement>(chunks + 64 * i), carry);
    return carry;
}
