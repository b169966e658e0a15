#include "core/NcLineReader.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace std::string_literals;

// Reads input with a small buffer and glues the pieces back into lines, marking blank lines
// with "<blank>"; checks that pieces start and end where they should on the way.
static std::vector<std::string> readLines(const std::string& input, std::size_t bufferSize)
{
    std::istringstream stream(input);
    NcLineReader reader(stream, bufferSize);
    std::vector<std::string> lines;
    LinePiece piece;
    bool open = false;
    while (reader.next(piece)) {
        EXPECT_EQ(piece.startsLine, !open);
        if (piece.startsLine)
            lines.emplace_back(piece.isBlankLine() ? "<blank>" : "");
        lines.back() += piece.bytes;
        open = !piece.endsLine;
    }
    EXPECT_FALSE(open);
    EXPECT_EQ(reader.bytesRead(), input.size());
    return lines;
}

TEST(NcLineReader, LfOrCrLfEndALineAndEveryOtherByteIsContentWhateverTheBuffer)
{
    const std::string longLine(1000, 'X');
    const std::string input =
        "G00 X0\r\n\r\n\nM30\rN10\n%\0\xB0\xA1\r\r\n"s + longLine + "\r\n" + longLine + "\r";
    const std::vector<std::string> expected = {
        "G00 X0", "<blank>", "<blank>", "M30\rN10", "%\0\xB0\xA1\r"s, longLine, longLine + "\r"};
    for (std::size_t bufferSize : {2u, 3u, 7u, 259u, 1000u, 1001u, 4096u}) {
        SCOPED_TRACE(bufferSize);
        EXPECT_EQ(readLines(input, bufferSize), expected);
    }
}

TEST(NcLineReader, CountsContentLinesOnly)
{
    for (std::size_t bufferSize : {2u, 4u, 64u}) {
        std::istringstream stream("\n\r\n A\n\nB\r\n \r\n\nC");
        NcLineReader reader(stream, bufferSize);
        EXPECT_EQ(CountContentLines(reader), 4) << bufferSize;
    }
}
