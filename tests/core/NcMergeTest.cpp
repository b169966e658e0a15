#include "core/NcMerge.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> sortedFiles(const fs::path& folder, bool recursive = false)
{
    std::vector<std::string> files;
    auto add = [&](const fs::directory_entry& entry) {
        if (entry.is_regular_file())
            files.push_back(utf8FromPath(entry.path()));
    };
    if (recursive)
        std::for_each(fs::recursive_directory_iterator(folder), {}, add);
    else
        std::for_each(fs::directory_iterator(folder), {}, add);
    std::sort(files.begin(), files.end());
    return files;
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

// Each folder under data/merge holds inputs in1, in2, ..., the expected output, and options:
// "top N", "bottom N" and optionally "short NAME..." for the inputs that must be left out.
TEST(NcMergeGolden, MatchesTheExpectedOutputByteForByte)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(CORVANE_TEST_DATA_DIR) / "merge")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream options(entry.path() / "options");
        int top = 0;
        int bottom = 0;
        std::vector<std::string> expectedShort;
        for (std::string line; std::getline(options, line);) {
            std::istringstream words(line);
            std::string key;
            words >> key;
            if (key == "top" || key == "bottom")
                words >> (key == "top" ? top : bottom);
            for (std::string name; key == "short" && words >> name;)
                expectedShort.push_back(utf8FromPath(entry.path() / name));
        }
        std::vector<std::string> inputs = sortedFiles(entry.path());
        std::erase_if(inputs, [](const std::string& file) {
            return !fs::path(file).filename().string().starts_with("in");
        });

        TempFolder out;
        const MergeReport report = MergeNcFiles(inputs, out.file("merged.NC"), top, bottom);
        EXPECT_EQ(report.status, MergeReport::Status::Written);
        EXPECT_EQ(report.shortFiles, expectedShort);
        EXPECT_EQ(report.copiedFiles, static_cast<int>(inputs.size() - expectedShort.size()));
        EXPECT_EQ(readFile(out.file("merged.NC")),
                  readFile(utf8FromPath(entry.path() / "expected.nc")));
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST_F(NcMergeTest, AnInputChosenAsTheOutputIsReadIntact)
{
    const auto first = folder.write("out.NC", "O1\nG0 X1\n");
    const auto second = folder.write("b.nc", "O2\nG0 X2\n");
    EXPECT_EQ(merge({first, second}, 0, 0).copiedFiles, 2);
    EXPECT_EQ(readFile(first), "O1\r\nG0 X1\r\nO2\r\nG0 X2\r\n");
    EXPECT_EQ(sortedFiles(folder.path()).size(), 2u);
}

TEST_F(NcMergeTest, UnreadableInputsAreNamedAndDoNotCountAsShort)
{
    const auto missing = folder.file("missing.nc");
    fs::create_directory(folder.path() / "folder.nc");
    const auto shortFile = folder.write("short.nc", "S1\n");
    const MergeReport report = merge({missing, folder.file("folder.nc"), shortFile}, 1, 0);
    EXPECT_EQ(report.status, MergeReport::Status::Written);
    ASSERT_EQ(report.unreadableFiles.size(), 2u);
    EXPECT_EQ(report.unreadableFiles[0].path, missing);
    EXPECT_FALSE(report.unreadableFiles[0].reason.empty());
    EXPECT_EQ(report.unreadableFiles[1].path, folder.file("folder.nc"));
    EXPECT_EQ(report.shortFiles, std::vector<std::string>{shortFile});
    EXPECT_EQ(report.copiedFiles, 0);
    EXPECT_EQ(readFile(output), "");
}

TEST_F(NcMergeTest, AMissingOutputFolderIsCreatedOneLevelDeep)
{
    const auto input = folder.write("a.nc", "A1\n");
    EXPECT_EQ(MergeNcFiles({input}, folder.file("new/merged.nc"), 0, 0).copiedFiles, 1);
    EXPECT_EQ(readFile(folder.file("new/merged.nc")), "A1\r\n");

    const MergeReport report = MergeNcFiles({input}, folder.file("x/y/merged.nc"), 0, 0);
    EXPECT_EQ(report.status, MergeReport::Status::OutputFolderFailed);
    EXPECT_EQ(report.failure.path, folder.file("x/y"));
    EXPECT_FALSE(report.failure.reason.empty());
}

TEST_F(NcMergeTest, AnOutputThatCannotBeReplacedIsReportedAndKept)
{
    const auto input = folder.write("a.nc", "A1\n");
    fs::create_directory(output);
    EXPECT_EQ(merge({input}, 0, 0).status, MergeReport::Status::OutputFailed);
    EXPECT_TRUE(fs::is_directory(output));
    EXPECT_EQ(sortedFiles(folder.path()), std::vector<std::string>{input});

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
        EXPECT_EQ(readFile(target), "old\n");
    }
}

TEST_F(NcMergeTest, ProgressCoversBothReadingsAndCancelWritesNothing)
{
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "G01 X" + std::to_string(i) + "\n";
    const std::vector<std::string> inputs = {folder.write("a.nc", lines),
                                             folder.write("b.nc", lines)};
    std::vector<std::uint64_t> reported;
    const auto record = [&](std::uint64_t bytes, std::uint64_t all) {
        EXPECT_EQ(all, 4 * lines.size());
        reported.push_back(bytes);
        return true;
    };
    EXPECT_EQ(merge(inputs, 0, 0, record).copiedFiles, 2);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_GT(reported.size(), 4u);

    folder.write("out.NC", "previous\n");
    for (std::size_t stopAt : {std::size_t(1), reported.size() - 1}) {
        std::size_t seen = 0;
        const auto stop = [&](std::uint64_t, std::uint64_t) {
            return ++seen < stopAt;
        };
        EXPECT_EQ(merge(inputs, 0, 0, stop).status, MergeReport::Status::Cancelled);
        EXPECT_EQ(readFile(output), "previous\n");
        EXPECT_EQ(sortedFiles(folder.path()).size(), 3u);
    }
}

// Real programs from public projects, in every line-end style: with no trimming the output is
// each file's non-blank lines, one after another, each ended with CR LF.
TEST(NcMergeSamples, RealProgramsKeepEveryContentLine)
{
    const fs::path samples(CORVANE_NC_SAMPLES_DIR);
    if (!fs::is_directory(samples))
        GTEST_SKIP() << "no NC samples at " << samples;
    std::vector<std::string> inputs = sortedFiles(samples, true);
    std::erase_if(inputs, [](const std::string& file) { return file.ends_with(".md"); });
    ASSERT_FALSE(inputs.empty());

    std::string expected;
    for (const std::string& input : inputs) {
        std::istringstream content(readFile(input));
        for (std::string line; std::getline(content, line);) {
            if (!line.empty() && line.back() == '\r' && !content.eof())
                line.pop_back();
            if (!line.empty())
                expected += line + "\r\n";
        }
    }
    TempFolder out;
    EXPECT_EQ(MergeNcFiles(inputs, out.file("all.nc"), 0, 0).copiedFiles,
              static_cast<int>(inputs.size()));
    EXPECT_EQ(readFile(out.file("all.nc")), expected);
}
