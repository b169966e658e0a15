#include "core/merge/SeamCheck.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/os/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

CheckedPlan plan(const std::vector<std::string>& inputs, int top, int bottom,
                 std::size_t blockSize = std::size_t(1) << 20)
{
    return PlanAndCheck({.inputs = inputs, .delUp = top, .delBtm = bottom, .blockSize = blockSize});
}

} // namespace

// Each folder under data/seams holds inputs in1, in2, ..., options ("top N", "bottom N") and
// the expected findings, one a line: "NAME:LINE: error|warning: KEY". Every rule has a case
// that must find it and a case, among them the sound merges, that must not. The checks read whole
// lines: reading three bytes at a time finds the same. Each case is a test of its own.
class SeamCheckGolden : public testing::TestWithParam<std::string>
{};

TEST_P(SeamCheckGolden, FindsWhatTheCaseExpectsAndNothingElse)
{
    const fs::path folder = fs::path(CORVANE_TEST_DATA_DIR) / "seams" / GetParam();
    std::ifstream options(folder / "options");
    int top = 0;
    int bottom = 0;
    for (std::string key; options >> key;)
        options >> (key == "top" ? top : bottom);
    const std::vector<std::string> inputs = caseInputs(folder);

    for (std::size_t blockSize : {std::size_t(1) << 20, std::size_t(3)}) {
        const CheckedPlan checked = plan(inputs, top, bottom, blockSize);
        ASSERT_EQ(checked.plan.status, MergeReport::Status::Planned);
        std::string found;
        for (const SeamFinding& finding : checked.findings)
            found += fs::path(finding.path).filename().string() + ":" +
                     std::to_string(finding.line) + ": " +
                     (finding.severity == SeamFinding::Severity::Error ? "error" : "warning") +
                     ": " + seamRuleInfo(finding.rule).key + "\n";
        EXPECT_EQ(found, readFile(utf8FromPath(folder / "expected"))) << blockSize;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SeamCheckGolden, testing::ValuesIn(goldenCases("seams")),
                         [](const auto& info) { return caseTestName(info.param); });

TEST(SeamCheckGoldenCases, AreFoundInTheTestData)
{
    EXPECT_GE(goldenCases("seams").size(), 10u);
}

// Real programs, each merged alone as a shop would run it, give no error. O0004 is a plotter's
// test file holding three programs with "%" lines between them: those the check rightly reports.
// One sample is binary data under an NC name: its control bytes are an error.
TEST(SeamCheckSamples, RealProgramsMergedAloneHaveNoErrors)
{
    const fs::path samples(CORVANE_NC_SAMPLES_DIR);
    if (!fs::is_directory(samples))
        GTEST_SKIP() << "no NC samples at " << samples;
    for (const std::string& input : sortedFiles(samples, true)) {
        if (input.ends_with(".md") || input.ends_with("O0004"))
            continue;
        if (input.ends_with("o78238.nc")) {
            const std::vector<SeamFinding> findings = plan({input}, 0, 0).findings;
            ASSERT_EQ(findings.size(), 1u);
            EXPECT_EQ(findings[0].rule, SeamRule::ControlBytes);
            EXPECT_EQ(findings[0].offset, 6u);
            continue;
        }
        for (const SeamFinding& finding : plan({input}, 0, 0).findings)
            EXPECT_NE(finding.severity, SeamFinding::Severity::Error)
                << input << ":" << finding.line << ": " << finding.text;
    }
}
