#pragma once

#include "BlockReader.h"
#include "InputRecorder.h"

#include <cstdint>

// What the head of an input told: whether it is long enough for the cuts, and where its top cut
// ends.
struct InputHead
{
    bool eligible = false;
    std::uint64_t topEnd = 0;
    std::int64_t topContentLines = 0;
    bool startsWithPercent = false;
    std::int64_t lines = 0; // read, and content lines among them
    std::int64_t contentLines = 0;
};

// Where the cuts of an input fall: the top one counted from the start, the bottom one from the
// end backwards, each read only as far as it needs.
class InputCut
{
public:
    InputCut(BlockReader& reader, int delUp, int delBtm)
        : m_reader(reader), m_delUp(delUp), m_delBtm(delBtm)
    {}

    // Counts content lines from the top until the input proves long enough for both cuts, and
    // on to its first statement, which tells its dialect; records the lines the top cut takes
    // when it is cut.
    BlockReader::Result scanHead(InputFile& file, NcLineReader& reader, InputRecorder& recorder,
                                 bool cutTop, InputHead& head);
    // Where the last delBtm content lines begin, no lower than lower.
    BlockReader::Result findBottomStart(InputFile& file, std::uint64_t lower, std::uint64_t& start);

private:
    BlockReader& m_reader;
    const int m_delUp;
    const int m_delBtm;
};
