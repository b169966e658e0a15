#include "core/SeamCheck.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace fs = std::filesystem;

namespace {

MergeReport plan(const std::vector<std::string>& inputs, int top, int bottom,
                 std::size_t blockSize = std::size_t(1) << 20)
{
    return PlanNcMerge({.inputs = inputs,
                        .delUp = top,
                        .delBtm = bottom,
                        .blockSize = blockSize,
                        .noteKept = kCheckedWhenKept});
}

} // namespace

// Each folder under data/seams holds inputs in1, in2, ..., options ("top N", "bottom N") and
// the expected findings, one a line: "NAME:LINE: error|warning: reason". Every rule has a case
// that must find it and a case, among them the sound merges, that must not. The checks read whole
// lines: reading three bytes at a time finds the same.
TEST(SeamCheckGolden, FindsWhatEachCaseExpectsAndNothingElse)
{
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(CORVANE_TEST_DATA_DIR) / "seams")) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream options(entry.path() / "options");
        int top = 0;
        int bottom = 0;
        for (std::string key; options >> key;)
            options >> (key == "top" ? top : bottom);
        std::vector<std::string> inputs = caseInputs(entry.path());

        for (std::size_t blockSize : {std::size_t(1) << 20, std::size_t(3)}) {
            const MergeReport report = plan(inputs, top, bottom, blockSize);
            ASSERT_EQ(report.status, MergeReport::Status::Planned);
            std::string found;
            for (const SeamFinding& finding : CheckSeams(report))
                found += fs::path(finding.path).filename().string() + ":" +
                         std::to_string(finding.line) + ": " +
                         (finding.severity == SeamFinding::Severity::Error ? "error" : "warning") +
                         ": " + seamRuleInfo(finding.rule).reason + "\n";
            EXPECT_EQ(found, readFile(utf8FromPath(entry.path() / "expected"))) << blockSize;
        }
        ++checked;
    }
    EXPECT_GE(checked, 10);
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
            const std::vector<SeamFinding> findings = CheckSeams(plan({input}, 0, 0));
            ASSERT_EQ(findings.size(), 1u);
            EXPECT_EQ(findings[0].rule, SeamRule::ControlBytes);
            EXPECT_EQ(findings[0].offset, 6u);
            continue;
        }
        for (const SeamFinding& finding : CheckSeams(plan({input}, 0, 0)))
            EXPECT_NE(finding.severity, SeamFinding::Severity::Error)
                << input << ":" << finding.line << ": " << finding.text;
    }
}
