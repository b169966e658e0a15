#include "core/merge/NcMerge.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/os/Utf8Path.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Line number of a file, from 1, without its line end.
std::string lineOf(const std::string& file, std::int64_t number)
{
    std::istringstream content(readFile(file));
    std::string line;
    for (std::int64_t i = 0; i < number; ++i)
        std::getline(content, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::vector<std::int64_t> numbers(const std::vector<NumberedLine>& lines)
{
    std::vector<std::int64_t> result;
    for (const NumberedLine& line : lines)
        result.push_back(line.number);
    return result;
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
// "top N", "bottom N", "short NAME..." for the inputs that must be left out, and
// "cut NAME top|bottom N..." for the numbers of the lines cut from an input. Every case is
// merged reading a few bytes at a time too, where lines and CR LF pairs straddle the blocks.
class NcMergeGolden : public testing::TestWithParam<std::string>
{};

TEST_P(NcMergeGolden, MatchesTheExpectedOutputAndRecordsEveryCut)
{
    const fs::path folder = fs::path(CORVANE_TEST_DATA_DIR) / "merge" / GetParam();
    std::ifstream options(folder / "options");
    MergeRequest request;
    std::vector<std::string> expectedShort;
    std::map<std::pair<std::string, std::string>, std::vector<std::int64_t>> expectedCuts;
    for (std::string line; std::getline(options, line);) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "top" || key == "bottom")
            words >> (key == "top" ? request.delUp : request.delBtm);
        for (std::string name; key == "short" && words >> name;)
            expectedShort.push_back(utf8FromPath(folder / name));
        std::string name;
        std::string end;
        if (key == "cut" && words >> name >> end)
            for (std::int64_t number; words >> number;)
                expectedCuts[{utf8FromPath(folder / name), end}].push_back(number);
    }
    request.inputs = caseInputs(folder);

    const std::string expected = readFile(utf8FromPath(folder / "expected.nc"));
    for (std::size_t blockSize :
         {std::size_t(1) << 20, std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(7)}) {
        SCOPED_TRACE(blockSize);
        request.blockSize = blockSize;
        TempFolder out;
        const MergeReport report = MergeNcFiles(request, out.file("merged.NC"));
        EXPECT_EQ(report.status, MergeReport::Status::Written);
        EXPECT_EQ(report.shortFiles(), expectedShort);
        EXPECT_EQ(report.copiedFiles(), int(request.inputs.size() - expectedShort.size()));
        EXPECT_EQ(readFile(out.file("merged.NC")), expected);
        for (const InputRecord& input : report.inputs)
            for (const auto& [end, cut] :
                 {std::pair{"top", &input.cutTop}, {"bottom", &input.cutBottom}}) {
                EXPECT_EQ(numbers(*cut), (expectedCuts[{input.path, end}])) << input.path;
                for (const NumberedLine& line : *cut)
                    EXPECT_EQ(line.text, lineOf(input.path, line.number));
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, NcMergeGolden, testing::ValuesIn(goldenCases("merge")),
                         [](const auto& info) { return caseTestName(info.param); });

TEST(NcMergeGoldenCases, AreFoundInTheTestData)
{
    EXPECT_GE(goldenCases("merge").size(), 5u);
}

TEST_F(NcMergeTest, ThePlanIsTheRecordOfTheWriteAndWritesNothing)
{
    std::string lines;
    for (int i = 1; i <= 12; ++i)
        lines += (i == 6 ? "\n" : "N" + std::to_string(i) + "\n");
    const std::vector<std::string> inputs = {folder.write("a.nc", lines),
                                             folder.write("b.nc", lines)};
    const MergeRequest request{.inputs = inputs, .delUp = 2, .delBtm = 3};
    const MergeReport plan = PlanNcMerge(request);
    EXPECT_EQ(plan.status, MergeReport::Status::Planned);
    EXPECT_FALSE(fs::exists(output));

    const InputRecord& first = plan.inputs[0];
    EXPECT_EQ(numbers(first.firstKept), (std::vector<std::int64_t>{1, 2, 3}));
    EXPECT_EQ(numbers(first.lastKept), (std::vector<std::int64_t>{7, 8, 9}));
    EXPECT_EQ(first.lastKept.back().text, "N9");
    EXPECT_EQ(first.blankLinesDropped, 1);
    EXPECT_EQ(first.contentLines, 11);
    EXPECT_EQ(numbers(plan.inputs[1].firstKept), (std::vector<std::int64_t>{3, 4, 5}));

    const MergeReport written = MergeNcFiles(
        MergeRequest{.inputs = inputs, .delUp = 2, .delBtm = 3, .plan = &plan}, output);
    EXPECT_EQ(written.status, MergeReport::Status::Written);
    // An input that changed since the plan is refused, and the output stays as it was.
    const std::string before = readFile(output);
    folder.write("b.nc", lines + "M30\n");
    const MergeReport refused = MergeNcFiles(
        MergeRequest{.inputs = inputs, .delUp = 2, .delBtm = 3, .plan = &plan}, output);
    EXPECT_EQ(refused.status, MergeReport::Status::InputChanged);
    EXPECT_EQ(refused.failure.path, inputs[1]);
    EXPECT_EQ(readFile(output), before);
    EXPECT_EQ(sortedFiles(folder.path()).size(), 3u);
}

#ifndef _WIN32 // Windows does not remove or replace a file that is open
// What is counted is what is copied: an input that grows, shrinks or goes while it is merged
// fails the merge, and the old output stays whole.
TEST_F(NcMergeTest, AnInputThatChangesUnderTheMergeFailsIt)
{
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += "G01 X" + std::to_string(i) + "\n";
    folder.write("out.NC", "previous\n");
    const std::string a = folder.file("a.nc");
    const std::string b = folder.file("b.nc");
    const std::vector<std::function<void()>> changes = {
        [&] { std::ofstream(a, std::ios::app) << "G01 X999\n"; },
        [&] { folder.write("a.nc", lines.substr(0, 100)); },
        [&] { fs::remove(b); },
        [&] {
            fs::remove(a);
            folder.write("a.nc", lines);
        },
    };
    for (std::size_t change = 0; change < changes.size(); ++change) {
        SCOPED_TRACE(change);
        folder.write("a.nc", lines);
        folder.write("b.nc", lines);
        bool changed = false;
        const auto changeOnce = [&](std::uint64_t, std::uint64_t) {
            if (!changed)
                changes[change]();
            changed = true;
            return true;
        };
        const MergeReport report = MergeNcFiles(
            MergeRequest{
                .inputs = {a, b}, .delUp = 1, .delBtm = 1, .progress = changeOnce, .blockSize = 64},
            output);
        EXPECT_EQ(report.status, MergeReport::Status::InputChanged);
        EXPECT_FALSE(report.failure.path.empty());
        EXPECT_EQ(readFile(output), "previous\n");
        EXPECT_EQ(sortedFiles(folder.path()).size(), change == 2 ? 2u : 3u);
    }
}
#endif

TEST_F(NcMergeTest, CutsOfFewerThanNoLinesAreRefused)
{
    const auto input = folder.write("a.nc", "A1\nA2\nA3\nA4\n");
    for (auto [top, bottom] : {std::pair{5, -3}, {-1, 0}}) {
        const MergeReport report = merge({input, input}, top, bottom);
        EXPECT_EQ(report.status, MergeReport::Status::BadTrimCount);
        EXPECT_EQ(report.failure.path, top < 0 ? "DEL_UP" : "DEL_BTM");
        EXPECT_FALSE(fs::exists(output));
    }
}

TEST_F(NcMergeTest, AnInputChosenAsTheOutputIsReadIntact)
{
    const auto first = folder.write("out.NC", "O1\nG0 X1\n");
    const auto second = folder.write("b.nc", "O2\nG0 X2\n");
    EXPECT_EQ(merge({first, second}, 0, 0).copiedFiles(), 2);
    EXPECT_EQ(readFile(first), "O1\r\nG0 X1\r\nO2\r\nG0 X2\r\n");
    EXPECT_EQ(sortedFiles(folder.path()).size(), 2u);
}

#ifndef _WIN32 // FIFOs and devices are POSIX's
// Folders, FIFOs and devices are left out and named, without waiting for a writer or for the
// end of an endless device.
TEST_F(NcMergeTest, OnlyRegularFilesAreReadAndTheRestAreNamed)
{
    const auto missing = folder.file("missing.nc");
    fs::create_directory(folder.path() / "folder.nc");
    ASSERT_EQ(mkfifo(folder.file("fifo.nc").c_str(), 0600), 0);
    const auto shortFile = folder.write("short.nc", "S1\n");
    const std::vector<std::string> inputs = {missing, folder.file("folder.nc"),
                                             folder.file("fifo.nc"), "/dev/zero", shortFile};
    const MergeReport report = merge(inputs, 1, 0);
    const std::vector<FileProblem> unreadable = report.unreadableFiles();
    ASSERT_EQ(unreadable.size(), 4u);
    for (std::size_t i = 0; i < unreadable.size(); ++i) {
        EXPECT_EQ(unreadable[i].path, inputs[i]);
        EXPECT_EQ(unreadable[i].error,
                  i == 0 ? FileError::system(ENOENT) : FileError(FileError::Cause::NotRegularFile));
    }
    EXPECT_EQ(report.shortFiles(), std::vector<std::string>{shortFile});
    EXPECT_EQ(report.status, MergeReport::Status::NothingCopied);
    EXPECT_FALSE(fs::exists(output));
}

// An error that is not the input's own (here too many open files) fails the merge instead of
// leaving the input out.
TEST_F(NcMergeTest, AnOpenErrorThatIsNotTheInputsFailsTheMerge)
{
    const auto input = folder.write("a.nc", "A1\nA2\n");
    rlimit limits{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limits), 0);
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit lowered = limits;
    lowered.rlim_cur = rlim_t(lowestFree);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    const MergeReport report = PlanNcMerge({.inputs = {input, input}});
    setrlimit(RLIMIT_NOFILE, &limits);
    EXPECT_EQ(report.status, MergeReport::Status::InputFailed);
    EXPECT_EQ(report.failure.path, input);
    EXPECT_EQ(report.inputs[0].outcome, InputRecord::Outcome::Failed);
    EXPECT_TRUE(report.unreadableFiles().empty());
}

// A rewrite of the same size within one tick of the file system's clock keeps size and time:
// the bytes themselves must show it, during the merge and between a plan and its write. The
// second reading is asked for: a file system that keeps the change time would show it so.
TEST_F(NcMergeTest, ASameSizeRewriteThatKeepsTheStampIsCaught)
{
    std::string oldLines;
    std::string newLines;
    for (int i = 0; i < 100; ++i) {
        oldLines += "G01 X" + std::to_string(100 + i) + "\n";
        newLines += "G01 Y" + std::to_string(100 + i) + "\n";
    }
    folder.write("out.NC", "previous\n");
    const std::string a = folder.write("a.nc", oldLines);
    const auto stamp = fs::last_write_time(a);
    const auto rewrite = [&](const std::string& bytes) {
        std::fstream(a, std::ios::in | std::ios::out | std::ios::binary) << bytes;
        fs::last_write_time(a, stamp);
    };

    for (const std::string* during : {&newLines, &oldLines}) {
        rewrite(oldLines);
        int blocks = 0;
        const auto rewriteHalfway = [&](std::uint64_t, std::uint64_t) {
            if (++blocks == 4)
                rewrite(*during);
            return true;
        };
        const MergeReport report = MergeNcFiles(
            {.inputs = {a}, .progress = rewriteHalfway, .readInputsTwice = true, .blockSize = 256},
            output);
        if (during == &newLines) {
            EXPECT_EQ(report.status, MergeReport::Status::InputChanged);
            EXPECT_EQ(report.failure.path, a);
            EXPECT_EQ(readFile(output), "previous\n");
        } else {
            EXPECT_EQ(report.status, MergeReport::Status::Written); // the same bytes again
        }
    }

    // Large enough that the second reading runs on a thread of its own, in parts: a byte
    // changed behind the first reading is caught in the first part and in a later one.
    std::string large;
    while (large.size() < (std::size_t(20) << 20))
        large += oldLines;
    const std::string before = readFile(output);
    for (const std::size_t changedAt : {std::size_t(0), std::size_t(15) << 20}) {
        rewrite(large);
        bool rewritten = false;
        const MergeReport threaded =
            MergeNcFiles({.inputs = {a},
                          .progress =
                              [&](std::uint64_t done, std::uint64_t) {
                                  if (!rewritten && done > changedAt + (std::size_t(2) << 20)) {
                                      std::string changed = large;
                                      changed[changedAt] = 'X';
                                      rewrite(changed);
                                      rewritten = true;
                                  }
                                  return true;
                              },
                          .readInputsTwice = true},
                         output);
        EXPECT_TRUE(rewritten) << changedAt;
        EXPECT_EQ(threaded.status, MergeReport::Status::InputChanged) << changedAt;
        EXPECT_EQ(readFile(output), before);
    }

    // A merge that fails while such a check still waits on the writer's thread.
    const std::string b = folder.write("b.nc", oldLines);
    rewrite(large);
    bool shortened = false;
    const MergeReport failed =
        MergeNcFiles({.inputs = {a, b},
                      .progress =
                          [&](std::uint64_t done, std::uint64_t) {
                              if (!shortened && done > large.size()) {
                                  folder.write("b.nc", oldLines.substr(0, 10));
                                  shortened = true;
                              }
                              return true;
                          },
                      .readInputsTwice = true},
                     output);
    EXPECT_EQ(failed.status, MergeReport::Status::InputChanged);
    EXPECT_EQ(failed.failure.path, b);

    folder.write("a.nc", oldLines);
    fs::last_write_time(a, stamp);
    const MergeReport plan = PlanNcMerge({.inputs = {a}, .readInputsTwice = true});
    rewrite(newLines);
    const MergeReport written =
        MergeNcFiles({.inputs = {a}, .plan = &plan, .readInputsTwice = true}, output);
    EXPECT_EQ(written.status, MergeReport::Status::InputChanged);
    EXPECT_EQ(written.inputs[0].outcome, InputRecord::Outcome::Changed);
}
#endif

// Where the system shows every write, an input is proved unchanged without a second reading:
// on Linux by a change time that no call can set back, so that a write during the merge is
// caught though it puts back the same bytes and time; on Windows by holding writers out.
TEST_F(NcMergeTest, AnInputIsProvedUnchangedWithoutASecondReadingWhereTheSystemShowsWrites)
{
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "G01 X" + std::to_string(100 + i) + "\n";
    const std::string a = folder.write("a.nc", lines);
    const auto stamp = fs::last_write_time(pathFromUtf8(a));
    // Past the clock's tick in which the file was written: a later write gets a later time.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const UnchangedProof proof = PlanNcMerge({.inputs = {a}}).inputs[0].proof;
    if (proof == UnchangedProof::SecondReading)
        GTEST_SKIP() << "the temporary folder's file system shows no write by its change time";
    bool tried = false;
    bool wrote = false;
    const auto writeSameBytes = [&](std::uint64_t, std::uint64_t) {
        if (!tried) {
            tried = true;
            std::ofstream out(pathFromUtf8(a), std::ios::binary | std::ios::in | std::ios::out);
            wrote = out && (out << lines).flush();
            out.close();
            std::error_code ec;
            fs::last_write_time(pathFromUtf8(a), stamp, ec);
        }
        return true;
    };
    const MergeReport report =
        MergeNcFiles({.inputs = {a}, .progress = writeSameBytes, .blockSize = 256}, output);
    EXPECT_TRUE(tried);
    EXPECT_EQ(wrote, proof == UnchangedProof::ChangeTime);
    EXPECT_EQ(report.status, proof == UnchangedProof::ChangeTime ? MergeReport::Status::InputChanged
                                                                 : MergeReport::Status::Written);
}

// However many lines a cut takes, the record holds a bounded number: the first ones, then those
// the checks need; the counts stay exact.
TEST_F(NcMergeTest, TheRecordOfAHugeCutIsBounded)
{
    std::string moves;
    std::string numbers;
    for (int i = 0; i < 30000; ++i) {
        moves += "G1 X" + std::to_string(i) + "\n";
        numbers += "N" + std::to_string(i) + "\n";
    }
    const auto a = folder.write("a.nc", moves);
    const auto b = folder.write("b.nc", numbers);
    const MergeReport report = PlanNcMerge({.inputs = {a, b, a}, .delUp = 25000, .delBtm = 10});
    const InputRecord& movesCut = report.inputs[2];
    EXPECT_EQ(movesCut.cutTopLines, 25000);
    EXPECT_EQ(movesCut.cutTop.size(), InputRecord::kMaxNotedLines);
    EXPECT_TRUE(movesCut.notAllNoted);
    const InputRecord& numbersCut = report.inputs[1];
    EXPECT_EQ(numbersCut.cutTopLines, 25000);
    EXPECT_EQ(numbersCut.cutTop.size(), InputRecord::kListedCutLines);
    EXPECT_EQ(numbersCut.cutBottomLines, 10);
    EXPECT_FALSE(numbersCut.notAllNoted);
}

// A merge that copies nothing writes nothing: the output, which may be one of the inputs, stays
// as it was, and a folder made for it goes again.
TEST_F(NcMergeTest, AMergeThatCopiesNothingLeavesTheOutputAlone)
{
    const auto p = folder.write("p.nc", "G0 X1\nM30\n");
    const auto q = folder.write("q.nc", "G0 X2\nM30\n");
    const MergeReport report = MergeNcFiles({p, q}, p, 5, 0);
    EXPECT_EQ(report.status, MergeReport::Status::NothingCopied);
    EXPECT_TRUE(report.succeeded());
    EXPECT_EQ(readFile(p), "G0 X1\nM30\n");
    EXPECT_EQ(sortedFiles(folder.path()).size(), 2u);

    EXPECT_EQ(MergeNcFiles({p, q}, folder.file("new/merged.nc"), 5, 0).status,
              MergeReport::Status::NothingCopied);
    EXPECT_FALSE(fs::exists(folder.path() / "new"));
}

// An output is written under the name given or refused: Windows would drop a trailing dot or
// blank and write another file.
TEST_F(NcMergeTest, ANameEndingInADotOrABlankIsKeptOrRefused)
{
    const auto input = folder.write("in.nc", "A1\n");
    for (const std::string name : {"b.", "c "}) {
        const MergeReport report = MergeNcFiles({input}, folder.file(name), 0, 0);
#ifdef _WIN32
        EXPECT_EQ(report.status, MergeReport::Status::OutputFailed) << name;
        EXPECT_FALSE(fs::exists(folder.path() / name.substr(0, 1))) << name;
#else
        EXPECT_EQ(report.status, MergeReport::Status::Written) << name;
        EXPECT_EQ(readFile(folder.file(name)), "A1\r\n");
#endif
    }
}

TEST_F(NcMergeTest, AMissingOutputFolderIsCreatedOneLevelDeep)
{
    const auto input = folder.write("a.nc", "A1\n");
    EXPECT_EQ(MergeNcFiles({input}, folder.file("new/merged.nc"), 0, 0).copiedFiles(), 1);
    EXPECT_EQ(readFile(folder.file("new/merged.nc")), "A1\r\n");

    const MergeReport report = MergeNcFiles({input}, folder.file("x/y/merged.nc"), 0, 0);
    EXPECT_EQ(report.status, MergeReport::Status::OutputFolderFailed);
    EXPECT_EQ(report.failure.path, folder.file("x/y"));
    EXPECT_EQ(report.failure.error, FileError::system(ENOENT));
}

#ifndef _WIN32 // links and modes are POSIX's; Windows names are checked by the command-line test
// A link is followed and its target replaced, keeping its mode; any name the file system takes
// works, however long, in whatever encoding.
TEST_F(NcMergeTest, TheOutputsPlaceIsKept)
{
    const auto input = folder.write("a.nc", "A1\n");
    fs::create_directory(folder.path() / "real");
    const auto target = folder.write("real/program.nc", "old\n");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real/program.nc", folder.path() / "link.nc");
    EXPECT_EQ(MergeNcFiles({input}, folder.file("link.nc"), 0, 0).status,
              MergeReport::Status::Written);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.nc"));
    EXPECT_EQ(readFile(target), "A1\r\n");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    const std::string longName(250, 'n');
    const std::string cp949Name = "\xC3\xE2\xB7\xC2.nc"; // "출력" in code page 949
    for (const std::string& name : {longName + ".nc", cp949Name}) {
        EXPECT_EQ(MergeNcFiles({input}, folder.file(name), 0, 0).copiedFiles(), 1);
        EXPECT_EQ(readFile(folder.file(name)), "A1\r\n");
        EXPECT_EQ(MergeNcFiles({folder.file(name)}, output, 0, 0).copiedFiles(), 1);
    }
}
#endif

#ifndef _WIN32 // FIFOs, devices and modes are POSIX's; the command-line test covers read-only
TEST_F(NcMergeTest, AnOutputThatCannotBeReplacedIsReportedAndKept)
{
    const auto input = folder.write("a.nc", "A1\n");
    ASSERT_EQ(mkfifo(folder.file("fifo.nc").c_str(), 0600), 0);
    fs::create_directory(output);
    std::vector<std::string> targets = {output, folder.file("fifo.nc")};
    // Only a privileged process may make a device node, and only it could replace one.
    if (mknod(folder.file("null.nc").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(folder.file("null.nc"));
    for (const std::string& target : targets) {
        const MergeReport report = MergeNcFiles({input}, target, 0, 0);
        EXPECT_EQ(report.status, MergeReport::Status::OutputFailed) << target;
        EXPECT_EQ(report.failure.path, target);
    }
    EXPECT_TRUE(fs::is_directory(output));
    EXPECT_EQ(sortedFiles(folder.path()), std::vector<std::string>{input});
    for (const std::string& target : targets)
        EXPECT_FALSE(fs::is_regular_file(target));

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
#endif

TEST_F(NcMergeTest, ProgressCountsEveryByteOnceAndCancelWritesNothing)
{
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "G01 X" + std::to_string(i) + "\n";
    const std::vector<std::string> inputs = {folder.write("a.nc", lines),
                                             folder.write("b.nc", lines)};
    std::vector<std::uint64_t> reported;
    const auto record = [&](std::uint64_t bytes, std::uint64_t all) {
        EXPECT_EQ(all, 2 * lines.size());
        reported.push_back(bytes);
        return true;
    };
    EXPECT_EQ(
        MergeNcFiles(MergeRequest{.inputs = inputs, .progress = record, .blockSize = 4096}, output)
            .copiedFiles(),
        2);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    EXPECT_EQ(reported.back(), 2 * lines.size());

    folder.write("out.NC", "previous\n");
    for (std::size_t stopAt : {std::size_t(1), reported.size() - 1}) {
        std::size_t seen = 0;
        const auto stop = [&](std::uint64_t, std::uint64_t) {
            return ++seen < stopAt;
        };
        EXPECT_EQ(MergeNcFiles(MergeRequest{.inputs = inputs, .progress = stop, .blockSize = 4096},
                               output)
                      .status,
                  MergeReport::Status::Cancelled);
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
    EXPECT_EQ(MergeNcFiles(inputs, out.file("all.nc"), 0, 0).copiedFiles(),
              static_cast<int>(inputs.size()));
    EXPECT_EQ(readFile(out.file("all.nc")), expected);
}
