#include "NcMerge.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::string numberedLines(const std::string& prefix, int count)
{
    std::string lines;
    for (int i = 1; i <= count; ++i)
        lines += prefix + std::to_string(i) + "\n";
    return lines;
}

std::string crlf(std::string lines)
{
    std::string out;
    for (char c : lines) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// Names of the files in a folder, temporary ones included.
std::vector<std::string> folderListing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class NcMergeTest : public ::testing::Test
{
protected:
    MergeReport merge(const std::vector<std::string>& inputs, int top, int bottom,
                      const MergeProgress& progress = {})
    {
        return MergeNcFiles(inputs, output, top, bottom, progress);
    }

    TempFolder folder;
    const std::string output = folder.file("out.NC");
};

} // namespace

TEST(NcMergeGolden, MatchesTheExpectedOutputByteForByte)
{
    const fs::path cases = fs::path(CORVANE_TEST_DATA_DIR) / "merge";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(cases)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream options(entry.path() / "options");
        std::string word;
        int top = 0;
        int bottom = 0;
        options >> word >> top >> word >> bottom;
        std::vector<std::string> inputs;
        for (const auto& file : fs::directory_iterator(entry.path()))
            if (file.path().filename().string().starts_with("in"))
                inputs.push_back(utf8FromPath(file.path()));
        std::sort(inputs.begin(), inputs.end());

        TempFolder out;
        const MergeReport report = MergeNcFiles(inputs, out.file("merged.NC"), top, bottom);
        EXPECT_EQ(report.status, MergeReport::Status::Written);
        EXPECT_EQ(report.copiedFiles, static_cast<int>(inputs.size()));
        EXPECT_EQ(readFile(out.file("merged.NC")),
                  readFile(utf8FromPath(entry.path() / "expected.nc")));
        ++checked;
    }
    EXPECT_GE(checked, 3);
}

TEST_F(NcMergeTest, WithoutTrimmingTheFilesFollowEachOtherWithoutBlankLines)
{
    const auto a = folder.write("a.nc", "A1\n\nA2\n");
    const auto b = folder.write("b.nc", "\r\nB1\r\n  \r\n");
    const MergeReport report = merge({a, b}, 0, 0);
    EXPECT_EQ(report.copiedFiles, 2);
    EXPECT_EQ(readFile(output), "A1\r\nA2\r\nB1\r\n  \r\n");
}

TEST_F(NcMergeTest, ShortFilesAreLeftOutAndTheirNeighboursTrimmedAsIfAlone)
{
    const auto shortFirst = folder.write("s1.nc", "S1\nS2\nS3\n");
    const auto a = folder.write("a.nc", numberedLines("A", 5));
    const auto shortMiddle = folder.write("s2.nc", "\nT1\n\nT2\nT3\n");
    const auto b = folder.write("b.nc", numberedLines("B", 5));
    const MergeReport report = merge({shortFirst, a, shortMiddle, b}, 1, 2);
    EXPECT_EQ(report.status, MergeReport::Status::Written);
    EXPECT_EQ(report.shortFiles, (std::vector<std::string>{shortFirst, shortMiddle}));
    EXPECT_EQ(report.copiedFiles, 2);
    // a is the first copied file and keeps its top; b is the last and keeps its bottom.
    EXPECT_EQ(readFile(output), crlf("A1\nA2\nA3\nB2\nB3\nB4\nB5\n"));
}

TEST_F(NcMergeTest, ASingleCopiedFileKeepsAllItsLines)
{
    const auto only = folder.write("only.nc", "%\nO1\n\nG0\nM30\n%\n");
    EXPECT_EQ(merge({only}, 2, 2).copiedFiles, 1);
    EXPECT_EQ(readFile(output), crlf("%\nO1\nG0\nM30\n%\n"));
}

TEST_F(NcMergeTest, LinesAreWrittenByteForByte)
{
    const std::string longLine(5000, 'X');
    const std::string content = "(100% \xC7\xD1\xB1\xDB %s %d)\n"s + "N1\0G1\n"s + "M30\rM02\n" +
                                longLine + "\r\n\xEF\xBB\xBF" + "END";
    const auto file = folder.write("bytes.nc", content);
    EXPECT_EQ(merge({file}, 0, 0).copiedFiles, 1);
    EXPECT_EQ(readFile(output), "(100% \xC7\xD1\xB1\xDB %s %d)\r\n"s + "N1\0G1\r\n"s +
                                    "M30\rM02\r\n" + longLine + "\r\n\xEF\xBB\xBF" + "END\r\n");
}

TEST_F(NcMergeTest, AnInputChosenAsTheOutputIsReadIntact)
{
    const auto first = folder.write("out.NC", "O1\nG0 X1\n");
    const auto second = folder.write("b.nc", "O2\nG0 X2\n");
    const MergeReport report = MergeNcFiles({first, second}, first, 0, 0);
    EXPECT_EQ(report.copiedFiles, 2);
    EXPECT_EQ(readFile(first), crlf("O1\nG0 X1\nO2\nG0 X2\n"));
    EXPECT_EQ(folderListing(folder.path()), (std::vector<std::string>{"b.nc", "out.NC"}));
}

TEST_F(NcMergeTest, UnreadableInputsAreNamedAndDoNotCountAsShort)
{
    const auto missing = folder.file("missing.nc");
    fs::create_directory(folder.path() / "folder.nc");
    const auto directory = folder.file("folder.nc");
    const auto shortFile = folder.write("short.nc", "S1\n");
    const MergeReport report = merge({missing, directory, shortFile}, 1, 0);
    EXPECT_EQ(report.status, MergeReport::Status::Written);
    ASSERT_EQ(report.unreadableFiles.size(), 2u);
    EXPECT_EQ(report.unreadableFiles[0].path, missing);
    EXPECT_FALSE(report.unreadableFiles[0].reason.empty());
    EXPECT_EQ(report.unreadableFiles[1].path, directory);
    EXPECT_EQ(report.shortFiles, std::vector<std::string>{shortFile});
    EXPECT_EQ(report.copiedFiles, 0);
    EXPECT_TRUE(fs::exists(output));
    EXPECT_EQ(readFile(output), "");
}

TEST_F(NcMergeTest, AMissingOutputFolderIsCreatedOneLevelDeep)
{
    const auto input = folder.write("a.nc", "A1\n");
    const std::string nested = folder.file("new/merged.nc");
    EXPECT_EQ(MergeNcFiles({input}, nested, 0, 0).copiedFiles, 1);
    EXPECT_EQ(readFile(nested), "A1\r\n");

    const std::string deeper = folder.file("x/y/merged.nc");
    const MergeReport report = MergeNcFiles({input}, deeper, 0, 0);
    EXPECT_EQ(report.status, MergeReport::Status::OutputFolderFailed);
    EXPECT_EQ(report.failure.path, folder.file("x/y"));
    EXPECT_FALSE(report.failure.reason.empty());
}

TEST_F(NcMergeTest, ProtectedOutputsAreReportedAndKept)
{
    const auto input = folder.write("a.nc", "A1\n");
    const auto readOnly = folder.write("read-only.nc", "old\n");
    fs::permissions(readOnly, fs::perms::owner_read);
    fs::create_directory(folder.path() / "locked");
    const auto inLocked = folder.write("locked/out.nc", "old\n");
    fs::permissions(folder.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(readOnly, std::ios::app).is_open())
        GTEST_SKIP() << "running with rights that ignore file permissions";

    for (const std::string& target : {readOnly, inLocked}) {
        const MergeReport report = MergeNcFiles({input}, target, 0, 0);
        EXPECT_EQ(report.status, MergeReport::Status::OutputFailed);
        EXPECT_EQ(report.failure.path, target);
        EXPECT_FALSE(report.failure.reason.empty());
        EXPECT_EQ(readFile(target), "old\n");
    }
}

TEST_F(NcMergeTest, AReplacedOutputKeepsItsPermissions)
{
    const auto input = folder.write("a.nc", "A1\n");
    folder.write("out.NC", "old\n");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(output, mode);
    EXPECT_EQ(merge({input}, 0, 0).copiedFiles, 1);
    EXPECT_EQ(fs::status(output).permissions(), mode);
}

TEST_F(NcMergeTest, AnOutputThatIsAFolderIsReportedAndKept)
{
    const auto input = folder.write("a.nc", "A1\n");
    fs::create_directory(output);
    const MergeReport report = merge({input}, 0, 0);
    EXPECT_EQ(report.status, MergeReport::Status::OutputFailed);
    EXPECT_TRUE(fs::is_directory(output));
    EXPECT_EQ(folderListing(folder.path()), (std::vector<std::string>{"a.nc", "out.NC"}));
}

TEST_F(NcMergeTest, ProgressCoversBothReadingsAndCancelWritesNothing)
{
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "G01 X" + std::to_string(i) + "\n";
    const auto a = folder.write("a.nc", lines);
    const auto b = folder.write("b.nc", lines);
    const std::uint64_t total = 2 * 2 * lines.size();

    std::uint64_t last = 0;
    int calls = 0;
    const MergeReport done = merge({a, b}, 0, 0, [&](std::uint64_t bytes, std::uint64_t all) {
        EXPECT_EQ(all, total);
        EXPECT_GE(bytes, last);
        EXPECT_LE(bytes, all);
        last = bytes;
        ++calls;
        return true;
    });
    EXPECT_EQ(done.copiedFiles, 2);
    EXPECT_GT(calls, 4);

    folder.write("out.NC", "previous\n");
    for (int stopAt : {1, calls - 1}) {
        int seen = 0;
        const MergeReport cancelled =
            merge({a, b}, 0, 0, [&](std::uint64_t, std::uint64_t) { return ++seen < stopAt; });
        EXPECT_EQ(cancelled.status, MergeReport::Status::Cancelled);
        EXPECT_EQ(readFile(output), "previous\n");
        EXPECT_EQ(folderListing(folder.path()),
                  (std::vector<std::string>{"a.nc", "b.nc", "out.NC"}));
    }
}

// Real programs from public projects, in every line-end style: with no trimming the output is
// each file's non-blank lines, one after another, each ended with CR LF.
TEST(NcMergeSamples, RealProgramsKeepEveryContentLine)
{
    const fs::path samples(CORVANE_NC_SAMPLES_DIR);
    if (!fs::is_directory(samples))
        GTEST_SKIP() << "no NC samples at " << samples;
    std::vector<std::string> inputs;
    for (const auto& entry : fs::recursive_directory_iterator(samples))
        if (entry.is_regular_file() && entry.path().filename() != "SOURCES.md")
            inputs.push_back(utf8FromPath(entry.path()));
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty());

    std::string expected;
    for (const std::string& input : inputs) {
        const std::string content = readFile(input);
        std::size_t start = 0;
        while (start < content.size()) {
            std::size_t end = content.find('\n', start);
            if (end == std::string::npos)
                end = content.size();
            std::string line = content.substr(start, end - start);
            if (end < content.size() && !line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                expected += line + "\r\n";
            start = end + 1;
        }
    }

    TempFolder out;
    const MergeReport report = MergeNcFiles(inputs, out.file("all.nc"), 0, 0);
    EXPECT_EQ(report.copiedFiles, static_cast<int>(inputs.size()));
    EXPECT_EQ(readFile(out.file("all.nc")), expected);
}
