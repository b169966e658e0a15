#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/nc/WorkOffset.h"
#include "core/os/Utf8Path.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct PlacementCase
{
    MergeRequest request;
    std::string expectedOutput;
    std::string expectedRecord;
};

// options: those of every case, and "keep" (placement off: nothing rewritten).
PlacementCase readCase(const fs::path& folder)
{
    PlacementCase placement;
    bool keep = false;
    placement.request =
        caseRequest(folder, [&](const std::string& key) { keep = keep || key == "keep"; });
    placement.request.rewriteOffsets = !keep;
    placement.expectedOutput = readFile(utf8FromPath(folder / "expected.nc"));
    placement.expectedRecord = readFile(utf8FromPath(folder / "expected"));
    return placement;
}

// The record's changes and the findings, as a case expects them: "NAME:LINE: insert: AFTER",
// "NAME:LINE: rewrite: BEFORE => AFTER", "NAME:LINE: error|warning: KEY".
std::string describe(const CheckedPlan& checked)
{
    std::string text;
    for (const InputRecord& input : checked.plan.inputs)
        if (input.placement)
            for (const OffsetChange& change : input.placement->changes)
                text += fs::path(input.path).filename().string() + ":" +
                        std::to_string(change.line) +
                        (change.before.empty()
                             ? ": insert: " + change.after
                             : ": rewrite: " + change.before + " => " + change.after) +
                        "\n";
    for (const SeamFinding& finding : checked.findings)
        text += fs::path(finding.path).filename().string() + ":" + std::to_string(finding.line) +
                ": " + (finding.severity == SeamFinding::Severity::Error ? "error" : "warning") +
                ": " + seamRuleInfo(finding.rule).key + "\n";
    return text;
}

} // namespace

// Each folder under data/placement holds inputs in1, in2, ..., options, the merged program
// (expected.nc) and what placement changed and found (expected). Blocks smaller than the whole
// program, down to a few lines, place the same.
class OffsetPlacementGolden : public testing::TestWithParam<std::string>
{};

TEST_P(OffsetPlacementGolden, PlacesAndReportsWhatTheCaseExpects)
{
    const fs::path folder = fs::path(CORVANE_TEST_DATA_DIR) / "placement" / GetParam();
    PlacementCase placement = readCase(folder);
    for (std::size_t blockSize : {std::size_t(1) << 20, std::size_t(80), std::size_t(131)}) {
        MergeRequest request = placement.request;
        request.blockSize = blockSize;
        const CheckedPlan checked = PlanAndCheck(request);
        ASSERT_EQ(checked.plan.status, MergeReport::Status::Planned);
        EXPECT_EQ(describe(checked), placement.expectedRecord) << blockSize;

        TempFolder out;
        const std::string output = utf8FromPath(out.path() / "out.nc");
        const MergeReport written = MergeNcFiles(request, output);
        ASSERT_EQ(written.status, MergeReport::Status::Written);
        EXPECT_EQ(readFile(output), placement.expectedOutput) << blockSize;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, OffsetPlacementGolden, testing::ValuesIn(goldenCases("placement")),
                         [](const auto& info) { return caseTestName(info.param); });

TEST(OffsetPlacementGoldenCases, AreFoundInTheTestData)
{
    EXPECT_GE(goldenCases("placement").size(), 4u);
}

// A line longer than a block streams through unheld: where placement must rewrite it or put the
// cell's offset before it, the finding says the line is too long, and it goes out as it was.
TEST(OffsetPlacement, ALineTooLongToHoldIsReportedAsSuch)
{
    const std::string comment = " (" + std::string(200, 'c') + ")";
    for (const std::string& first : {"G0 X1" + comment, "G54 G0 X1" + comment}) {
        TempFolder folder;
        const std::string program = first + "\nG1 X2\n";
        MergeRequest request;
        request.inputs = {folder.write("a.nc", program)};
        request.cells = {MergeRequest::Cell{*WorkOffset::fromName("G55"), false}};
        request.blockSize = 64;
        const CheckedPlan checked = PlanAndCheck(request);
        EXPECT_EQ(describe(checked), "a.nc:1: error: offset-line-too-long\n") << first;

        const std::string output = utf8FromPath(folder.path() / "out.nc");
        ASSERT_EQ(MergeNcFiles(request, output).status, MergeReport::Status::Written);
        EXPECT_EQ(readFile(output), first + "\r\nG1 X2\r\n");
    }
}
