#include "NcLineReader.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace std::string_literals;

namespace {

struct Line
{
    std::string bytes;
    bool blank = false;
    bool operator==(const Line&) const = default;
};

// Reassembles the pieces into lines, checking that they start and end where they should.
std::vector<Line> readLines(const std::string& input, std::size_t bufferSize)
{
    std::istringstream stream(input);
    NcLineReader reader(stream, bufferSize);
    std::vector<Line> lines;
    LinePiece piece;
    bool open = false;
    while (reader.next(piece)) {
        EXPECT_EQ(piece.startsLine, !open);
        if (piece.startsLine)
            lines.push_back({"", piece.isBlankLine()});
        lines.back().bytes += piece.bytes;
        open = !piece.endsLine;
    }
    EXPECT_FALSE(open);
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(reader.bytesRead(), input.size());
    return lines;
}

} // namespace

TEST(NcLineReader, LineEndsAreLfOrCrLfAndEveryOtherByteIsContent)
{
    const std::string input = "G00 X0\r\n\r\n\nM30\rN10\n%\0\xB0\xA1\r\r\nlast"s;
    const std::vector<Line> expected = {
        {"G00 X0"}, {"", true}, {"", true}, {"M30\rN10"}, {"%\0\xB0\xA1\r"s}, {"last"},
    };
    for (std::size_t bufferSize : {2u, 3u, 5u, 7u, 64u}) {
        SCOPED_TRACE(bufferSize);
        EXPECT_EQ(readLines(input, bufferSize), expected);
    }
}

TEST(NcLineReader, LongLinesComeWholeInPieces)
{
    const std::string longLine(1000, 'X');
    const std::string input = "N1\r\n" + longLine + "\r\n" + longLine + "\r";
    const std::vector<Line> expected = {{"N1"}, {longLine}, {longLine + "\r"}};
    for (std::size_t bufferSize : {2u, 259u, 260u, 999u, 1000u, 1001u, 4096u}) {
        SCOPED_TRACE(bufferSize);
        EXPECT_EQ(readLines(input, bufferSize), expected);
    }
}

TEST(NcLineReader, CountsContentLinesOnly)
{
    std::istringstream empty("");
    NcLineReader emptyReader(empty);
    EXPECT_EQ(CountContentLines(emptyReader), 0);

    std::istringstream stream("\n\r\n A\n\nB\r\n \r\n\nC");
    NcLineReader reader(stream, 4);
    EXPECT_EQ(CountContentLines(reader), 4);
}
