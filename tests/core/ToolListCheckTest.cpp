#include "core/toollist/ToolListCheck.h"
#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"
#include "core/toollist/ToolSheet.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/os/Utf8Path.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fs = std::filesystem;

namespace {

struct ToolCase
{
    MergeRequest request;
    JobToolList toolList;
    bool apply = false;
    std::string expectedOutput;
    std::string expectedRecord;
};

// options: those of every case, and "apply" (the list's speeds written); the list is
// list.tlist, and a case without one has none.
ToolCase readCase(const fs::path& folder)
{
    ToolCase tools;
    tools.request = caseRequest(
        folder, [&](const std::string& key) { tools.apply = tools.apply || key == "apply"; });
    const std::string list = utf8FromPath(folder / "list.tlist");
    tools.toolList = readJobToolList(list);
    tools.expectedOutput = readFile(utf8FromPath(folder / "expected.nc"));
    tools.expectedRecord = readFile(utf8FromPath(folder / "expected"));
    return tools;
}

std::string joined(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values)
        text += (text.empty() ? "" : " ") + value;
    return text.empty() ? "-" : text;
}

// The tool sheet, the speed changes and the findings, a line each: "tool 1 at CELLS: S ...;
// main F ...", "NAME:LINE: speed: BEFORE => AFTER", "NAME:LINE: warning: KEY (DETAIL)".
std::string describe(const CheckedPlan& checked, const JobToolList& toolList)
{
    std::string text;
    for (const ToolSheetRow& row : makeToolSheet(
             checked.plan, toolList.list.read ? &toolList.list.tools : nullptr, checked.findings))
        text += "tool " + row.tool + " at " + joined(row.cells) + ": S " + joined(row.spindles) +
                "; main F " + joined(row.mainFeeds) + "; findings " +
                std::to_string(row.findings.size()) + "\n";
    for (const InputRecord& input : checked.plan.inputs)
        if (input.tools)
            for (const SpeedChange& change : input.tools->changes)
                text += fs::path(input.path).filename().string() + ":" +
                        std::to_string(change.line) + ": speed: " + change.before + " => " +
                        change.after + "\n";
    return text + describeFindings(checked.findings);
}

// Reads the lines of an ISO program for its tools as the merge does; the lines the speeds
// changed land in changed.
InputTools readTools(const std::string& program, const ToolSpeeds* speeds = nullptr,
                     std::string* changed = nullptr)
{
    InputTools record;
    ToolUsageReader reader(record, speeds);
    NcLineReader words(NcLineReader::Dialect::Iso);
    words.keepWords(true);
    words.keepAxisWords(true);
    std::istringstream lines(program);
    std::int64_t number = 0;
    for (std::string line; std::getline(lines, line);)
        if (std::optional<std::string> rewritten =
                reader.read(++number, line, words.read(line), false);
            rewritten && changed)
            *changed += *rewritten + "\n";
    return record;
}

ToolUsage usageOf(const std::string& program, const ToolSpeeds* speeds = nullptr,
                  std::string* changed = nullptr)
{
    const InputTools record = readTools(program, speeds, changed);
    EXPECT_EQ(record.tools.size(), 1u);
    return record.tools.empty() ? ToolUsage{} : record.tools.front();
}

} // namespace

// Each folder under data/tools holds inputs in1, in2, ..., options, a tool list (list.tlist),
// the merged program (expected.nc) and the tools, speed changes and findings (expected). Blocks
// down to a few lines read and change the same.
class ToolListGolden : public testing::TestWithParam<std::string>
{};

TEST_P(ToolListGolden, ReadsChecksAndAppliesWhatTheCaseExpects)
{
    const fs::path folder = fs::path(CORVANE_TEST_DATA_DIR) / "tools" / GetParam();
    const ToolCase tools = readCase(folder);
    for (std::size_t blockSize : {std::size_t(1) << 20, std::size_t(80), std::size_t(131)}) {
        MergeRequest request = tools.request;
        request.blockSize = blockSize;
        request.readTools = true;
        if (tools.apply) {
            ASSERT_EQ(planToolSpeeds(request, tools.toolList).status, MergeReport::Status::Planned);
        }
        const CheckedPlan checked =
            PlanAndCheck(request, toolListCheck(tools.toolList, tools.apply));
        ASSERT_EQ(checked.plan.status, MergeReport::Status::Planned);
        EXPECT_EQ(describe(checked, tools.toolList), tools.expectedRecord) << blockSize;

        TempFolder out;
        const std::string output = utf8FromPath(out.path() / "out.nc");
        ASSERT_EQ(MergeNcFiles(request, output).status, MergeReport::Status::Written);
        EXPECT_EQ(readFile(output), tools.expectedOutput) << blockSize;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolListGolden, testing::ValuesIn(goldenCases("tools")),
                         [](const auto& info) { return caseTestName(info.param); });

TEST(ToolListGoldenCases, AreFoundInTheTestData)
{
    EXPECT_GE(goldenCases("tools").size(), 5u);
}

TEST(ToolUsage, ReadsEveryFormOfToolChangeAndNoWordOfCommentsMacrosOrArguments)
{
    const InputTools record = readTools("T1 M06 T2 (T9 M06)\nIF[#1GT2]GOTO10\nG1 X1 F100\nM6\n"
                                        "G65 P9810 S7. H4. F2000.\nG1 X2\nM06 T5\nt1m6\n");
    ASSERT_EQ(record.tools.size(), 3u);
    EXPECT_EQ(record.tools[0].name, "1");
    EXPECT_EQ(record.tools[0].changes, 2);
    // The preselected tool is the one M6 changes to; a macro's IF and GOTO leave the feed.
    EXPECT_EQ(record.tools[1].name, "2");
    EXPECT_EQ(record.tools[1].change.line, 4);
    ASSERT_EQ(record.tools[1].feeds.size(), 1u);
    EXPECT_EQ(record.tools[1].feeds[0].word.value, "100");
    EXPECT_EQ(record.tools[1].feeds[0].blocks, 1);
    EXPECT_TRUE(record.tools[1].spindles.empty());
    EXPECT_TRUE(record.tools[1].lengthOffsets.empty());
    EXPECT_EQ(record.tools[2].name, "5");
    EXPECT_EQ(record.tools[2].number, 5);
}

TEST(ToolUsage, MainFeedIsTheFeedOfTheLongestPathInThePlane)
{
    // F80 runs in most blocks, a plunge among them; F300 cuts the longest way in XY.
    const ToolUsage tool = usageOf("T3 M6\nG0 X0 Y0 F5000\nX1\nX2\nG1 Z-1 F80\nG2 X3 I1\n"
                                   "G3 X4 I1\nZ-2\nG1 X15 F300\nX26\nG0 Z10\nX7\nX8\n");
    const ToolUsage::Feed* main = tool.mainFeed();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->word.value, "300");
    EXPECT_EQ(main->blocks, 2);
    EXPECT_EQ(main->word.line, 9);
    // Where no path is known, the feed of most cutting blocks.
    const ToolUsage unknown = usageOf("T3 M6\nG1 Z-1 F80\nZ-2\nZ-3\nG1 X#1 F300\n");
    ASSERT_NE(unknown.mainFeed(), nullptr);
    EXPECT_EQ(unknown.mainFeed()->word.value, "80");
}

TEST(ToolUsage, AppliedSpeedsChangeOnlyTheirDigits)
{
    const ToolSpeeds speeds{{"3", {.spindle = "9000", .mainFeed = 80, .feed = "120."}}};
    std::string changed;
    // Blanks inside a word are part of it, as the control reads them.
    // Every feed of the tool keeps its ratio to the main feed.
    usageOf("G21\nT3 M6 S1000\n(S500 F80)G1 Z-1 F80. S1000\nF80.0\nF800\nF25\nG65 P1 F80\n"
            "S 1 000 M3\n",
            &speeds, &changed);
    EXPECT_EQ(changed,
              "T3 M6 S9000\n(S500 F80)G1 Z-1 F120. S9000\nF120.\nF1200\nF37.5\nS9000 M3\n");

    // The list's feeds are mm/min: not written in inches, without G21 or under G95, nor its
    // spindle under constant surface speed; the first such line says why.
    for (const auto& [program, why] : std::vector<std::pair<std::string, std::string>>{
             {"G20\n", "G20"}, {"", "no G21"}, {"G21 G95\n", "G95"}, {"G21 G96\n", "G96"}}) {
        changed.clear();
        const InputTools record =
            readTools(program + "T3 M6\nG1 X1 F80 S1000\n", &speeds, &changed);
        const std::optional<InputTools::NotApplied>& left =
            why == "G96" ? record.spindleNotApplied : record.feedNotApplied;
        ASSERT_TRUE(left) << why;
        EXPECT_EQ(left->why, why);
        EXPECT_EQ(changed.find(why == "G96" ? "S9000" : "F120"), std::string::npos) << why;
    }
}

// Values the list leaves unset, or sets to no speed, count for nothing. (A list that cannot be
// read is a golden case.)
TEST(ToolListCheck, AToolOfNoListValuesPasses)
{
    TempFolder folder;
    MergeRequest request{.inputs = {folder.write("a.nc", "T1 M6\nS100 M3 M7\nG1 X1 F5\n")},
                         .readTools = true};
    const std::string list = folder.write("bare.tlist", "T1\r\nT2,info,0,0,M8,0,0\r\n");
    std::vector<SeamFinding> findings =
        PlanAndCheck(request, toolListCheck({list, ReadToolList(list)}, false)).findings;
    EXPECT_TRUE(findings.empty());
    request.inputs = {folder.write("b.nc", "T2 M6\nS100 M3 M7\nG1 X1 F5\n")};
    findings = PlanAndCheck(request, toolListCheck({list, ReadToolList(list)}, false)).findings;
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].rule, SeamRule::ToolCoolantDiffers);
    EXPECT_EQ(findings[0].line, 2);
}

// Rows past those read are an error: their tools would be reported missing. (Rows read
// shifted and tools listed twice are golden cases.)
TEST(ToolListCheck, RowsLeftOutAreAnError)
{
    TempFolder folder;
    const std::string list = folder.write("m.tlist", "T1\r\nT2\r\nT3\r\n");
    MergeRequest request{.inputs = {folder.write("a.nc", "T1 M6\n")}, .readTools = true};
    const std::vector<SeamFinding> findings =
        PlanAndCheck(request, toolListCheck({list, ReadToolList(list, 1)}, false)).findings;
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].rule, SeamRule::ToolListTooLong);
    EXPECT_EQ(findings[0].detail, "2 rows");
}

TEST(ToolSheet, CsvQuotesWhatItMustAndRunsNoFormula)
{
    const std::vector<ToolSheetRow> rows{{.tool = "1",
                                          .description = "=HYPERLINK(\"x\")",
                                          .cells = {"G54", "G55"},
                                          .spindles = {"8000", "9000"},
                                          .listSpindle = "-5",
                                          .mainFeeds = {"800."},
                                          .listFeed = "@1, 2",
                                          .findings = {{.detail = "T1: S8000, 12000"}}}};
    const std::string csv = toolSheetCsv(
        rows, {"a", "b"}, [](const SeamFinding& finding) { return "found " + finding.detail; });
    EXPECT_EQ(csv, "a,b\r\n1,\"'=HYPERLINK(\"\"x\"\")\",G54 G55,8000 / 9000,-5,800.,"
                   "\"'@1, 2\",\"found T1: S8000, 12000\"\r\n");
}

TEST(ToolUsageSamples, ReadTheToolsOfRealPrograms)
{
    const fs::path samples(CORVANE_NC_SAMPLES_DIR);
    if (!fs::exists(samples))
        GTEST_SKIP() << "no real NC programs at " << samples;
    struct Expected
    {
        const char* file;
        std::vector<std::string> tools;
        std::vector<std::string> mainFeeds; // of the first tools
    };
    const std::vector<Expected> programs{
        {"CadeKiely__Hass-CNC-Programs/step-part.nc", {"1", "2", "3", "4", "5"}, {"80.", "30."}},
        {"LinuxCNC__linuxcnc/gmoccapy_2_tools_with_cutter_radius_compensation.ngc",
         {"3", "1"},
         {"250", "400"}},
        {"SafetyDav3__cnc-sprayer/fusion-output.nc", {"1"}, {"2540."}},
        {"jstjst__Heidenhain-Cycles/Plan-Beispiel.h", {"1"}, {}},
    };
    for (const Expected& expected : programs) {
        const MergeReport plan =
            PlanNcMerge({.inputs = {utf8FromPath(samples / expected.file)}, .readTools = true});
        ASSERT_EQ(plan.status, MergeReport::Status::Planned) << expected.file;
        ASSERT_TRUE(plan.inputs[0].tools) << expected.file;
        const InputTools& tools = *plan.inputs[0].tools;
        std::vector<std::string> names;
        for (const ToolUsage& tool : tools.tools) {
            names.push_back(tool.name);
            // Each tool change names its tool, and every length offset is the tool's own.
            EXPECT_NE(tool.change.text.find(tool.name), std::string::npos) << tool.change.text;
            for (const ToolWord& offset : tool.lengthOffsets)
                EXPECT_EQ(offset.number, double(tool.number)) << expected.file << offset.line;
        }
        EXPECT_EQ(names, expected.tools) << expected.file;
        for (std::size_t i = 0; i < expected.mainFeeds.size() && i < tools.tools.size(); ++i) {
            const ToolUsage::Feed* main = tools.tools[i].mainFeed();
            ASSERT_NE(main, nullptr) << expected.file;
            EXPECT_EQ(main->word.value, expected.mainFeeds[i]) << expected.file;
        }
        EXPECT_FALSE(tools.notAllRead) << expected.file;
    }
}
