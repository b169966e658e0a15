#include "HeldOrder.h"
#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"

#include "TempFolder.h"
#include "TestPaths.h"
#include "core/os/Utf8Path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The tool runs and counts of an ordered job and the findings, a line each: "run T1: G54 in1.nc:5,
// G55 in2.nc:5 restart", "tool changes 9 -> 3; restarts 8", "NAME:LINE: error: KEY (DETAIL)".
std::string describe(const CheckedPlan& checked)
{
    std::string text;
    if (const std::optional<JobOrder>& order = checked.plan.order;
        order && order->given == JobOrder::Given::No) {
        for (const ToolRun& run : order->runs) {
            text += "run T" + std::to_string(run.tool) + ":";
            for (const OrderSegment& segment : run.segments)
                text += " " + segment.cell.name() + " " +
                        fs::path(checked.plan.inputs[segment.input].path).filename().string() +
                        ":" + std::to_string(segment.line) + (segment.restarted ? " restart" : "") +
                        (&segment == &run.segments.back() ? "" : ",");
            text += "\n";
        }
        text += "tool changes " + std::to_string(order->toolChangesBefore) + " -> " +
                std::to_string(order->toolChangesAfter) + "; restarts " +
                std::to_string(order->restarts) + "\n";
    }
    return text + describeFindings(checked.findings);
}

// Programs from their texts, at their cells, as the order reads the merge's lines.
class Programs
{
public:
    void add(std::string text, const char* cell)
    {
        m_texts.push_back(std::move(text));
        OrderProgram program{m_programs.size(), *WorkOffset::fromName(cell), {}, {}};
        std::string_view rest = m_texts.back();
        for (std::int64_t number = 1; !rest.empty(); ++number) {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            program.lines.push_back(rest.substr(0, end));
            program.numbers.push_back(number);
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        m_programs.push_back(std::move(program));
    }
    const std::vector<OrderProgram>& programs() const { return m_programs; }

private:
    std::deque<std::string> m_texts;
    std::vector<OrderProgram> m_programs;
};

std::string text(const OrderedJob& job)
{
    std::string lines;
    for (const OrderedLine& line : job.lines)
        lines += std::string(line.text) + "\n";
    return lines;
}

// Two programs whose second tool relies on the feed and motion each set before: F20. and G01
// at G54, F30. and G00 at G55.
Programs twoPrograms(bool ownRetracts)
{
    const std::string retract = ownRetracts ? "G91 G28 Z0.\nG90\n" : "";
    Programs programs;
    for (const char* cell : {"G54", "G55"}) {
        const bool first = std::string_view(cell) == "G54";
        programs.add(std::string("G90 G17 G94\n") + (first ? "F20." : "F30.") + "\nT5 M06\n" +
                         cell + " G00 X0 Y0 S6000 M03\nG43 H5 Z1.\nG01 Z-0.05\n" +
                         (first ? "Z1." : "G00 Z1.") + "\n" + retract +
                         "T6 M06\nS4000 M03\nG43 H6 Z0.1\nG01 X2.\nG00 Z1.\n" + retract,
                     cell);
    }
    return programs;
}

std::vector<OrderDifference::Kind> kinds(const JobOrder& order)
{
    std::vector<OrderDifference::Kind> kinds;
    for (const OrderDifference& difference : order.differences)
        kinds.push_back(difference.kind);
    return kinds;
}

// What the proof finds in the ordered programs with a fault planted.
JobOrder plantedFault(const Programs& programs, const std::function<void(OrderedJob&)>& plant)
{
    OrderedJob job = orderByTool(programs.programs(), defaultRetract(), {}, {});
    plant(job);
    JobOrder record;
    proveOrder(programs.programs(), job.lines, defaultRetract(), record);
    return record;
}

// Leaves out the lines the order wrote that read as given.
void removeWritten(OrderedJob& job, std::string_view text)
{
    std::erase_if(job.lines, [&](const OrderedLine& line) {
        return line.origin == OrderedLine::Origin::Written && line.text == text;
    });
}

} // namespace

// Each folder under data/order holds inputs in1, in2, ..., options, the ordered program
// (expected.nc) and its tool runs and findings (expected). Blocks down to a few lines order the
// same.
class ToolOrderGolden : public testing::TestWithParam<std::string>
{};

TEST_P(ToolOrderGolden, OrdersAsTheCaseExpects)
{
    const fs::path folder = fs::path(CORVANE_TEST_DATA_DIR) / "order" / GetParam();
    MergeRequest request = caseRequest(folder, [](const std::string&) {});
    request.orderByTool = true;
    request.retract = defaultRetract();
    const std::string expectedOutput = readFile(utf8FromPath(folder / "expected.nc"));
    const std::string expectedRecord = readFile(utf8FromPath(folder / "expected"));
    for (std::size_t blockSize : {std::size_t(1) << 20, std::size_t(80), std::size_t(131)}) {
        request.blockSize = blockSize;
        const CheckedPlan checked = PlanAndCheck(request);
        ASSERT_EQ(checked.plan.status, MergeReport::Status::Planned);
        EXPECT_EQ(describe(checked), expectedRecord) << blockSize;

        TempFolder out;
        const std::string output = utf8FromPath(out.path() / "out.nc");
        ASSERT_EQ(MergeNcFiles(request, output).status, MergeReport::Status::Written);
        EXPECT_EQ(readFile(output), expectedOutput) << blockSize;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolOrderGolden, testing::ValuesIn(goldenCases("order")),
                         [](const auto& info) { return caseTestName(info.param); });

TEST(ToolOrderGoldenCases, AreFoundInTheTestData)
{
    EXPECT_GE(goldenCases("order").size(), 8u);
}

TEST(ToolOrder, TheProofCatchesEveryPlantedFault)
{
    {
        // Programs without retracts of their own: the restart's is the only one.
        const Programs programs = twoPrograms(false);
        OrderedJob job = orderByTool(programs.programs(), defaultRetract(), {}, {});
        ASSERT_TRUE(job.record.differences.empty());
        removeWritten(job, "G91 G28 Z0.");
        JobOrder record;
        proveOrder(programs.programs(), job.lines, defaultRetract(), record);
        // At each of the three changes of offset.
        EXPECT_EQ(kinds(record), std::vector(3, OrderDifference::Kind::Retract)) << text(job);
    }
    const Programs programs = twoPrograms(true);
    const JobOrder noFeed =
        plantedFault(programs, [](OrderedJob& job) { removeWritten(job, "F20."); });
    ASSERT_EQ(kinds(noFeed), std::vector{OrderDifference::Kind::State});
    EXPECT_EQ(noFeed.differences[0].detail, "F20., F30.");
    EXPECT_EQ(noFeed.differences[0].input, 0u);

    const JobOrder noMotion =
        plantedFault(programs, [](OrderedJob& job) { removeWritten(job, "G01"); });
    ASSERT_EQ(kinds(noMotion), std::vector{OrderDifference::Kind::State});
    EXPECT_EQ(noMotion.differences[0].detail, "G01, G00");

    const JobOrder noOffset =
        plantedFault(programs, [](OrderedJob& job) { removeWritten(job, "G55"); });
    ASSERT_FALSE(noOffset.differences.empty());
    EXPECT_EQ(noOffset.differences[0].kind, OrderDifference::Kind::State);
    EXPECT_EQ(noOffset.differences[0].detail, "G55, G54");

    const JobOrder repeated = plantedFault(programs, [](OrderedJob& job) {
        // The G55 program's change to T5, written again though T5 is in the spindle.
        const auto offset = std::find_if(job.lines.begin(), job.lines.end(), [](const auto& line) {
            return line.origin == OrderedLine::Origin::Written && line.text == "G55";
        });
        job.lines.insert(offset + 1, {"T5 M06", OrderedLine::Origin::Written});
    });
    EXPECT_EQ(kinds(repeated), std::vector{OrderDifference::Kind::ToolChangeRepeated});

    const JobOrder lost = plantedFault(programs, [](OrderedJob& job) {
        std::erase_if(job.lines, [](const auto& line) { return line.text == "G01 X2."; });
    });
    EXPECT_EQ(kinds(lost),
              (std::vector{OrderDifference::Kind::LineLost, OrderDifference::Kind::LineLost}));

    const JobOrder swapped = plantedFault(programs, [](OrderedJob& job) {
        const auto cut = std::find_if(job.lines.begin(), job.lines.end(),
                                      [](const auto& line) { return line.text == "G01 Z-0.05"; });
        std::iter_swap(cut, cut + 1);
    });
    EXPECT_FALSE(swapped.differences.empty());
    EXPECT_EQ(swapped.differences.front().kind, OrderDifference::Kind::LineLost);
}

// Two parts that leave states behind for each other: G99 against G98 for cycles that name
// neither, flood coolant left on against none.
Programs leakingPrograms()
{
    const auto segment = [](int tool, const char* coolant) {
        return "T" + std::to_string(tool) + " M06\nG00 X0 Y0 S" + std::to_string(tool * 1000) +
               " M03\nG43 H" + std::to_string(tool) + " Z20." + coolant +
               "\nG81 X5. Y5. Z-3. R2. F100.\nG80\nG91 G28 Z0.\nG90\n";
    };
    Programs programs;
    programs.add("G21 G90 G17 G94 G99\n" + segment(1, " M08") + segment(2, ""), "G54");
    programs.add("G21 G90 G17 G94 G98\n" + segment(3, "") + segment(1, ""), "G55");
    return programs;
}

TEST(ToolOrder, TheProofCatchesFaultsPlantedInRestartBlocks)
{
    const Programs programs = leakingPrograms();
    const OrderedJob clean = orderByTool(programs.programs(), defaultRetract(), {}, {});
    ASSERT_EQ(clean.record.given, JobOrder::Given::No);
    ASSERT_TRUE(clean.record.differences.empty()) << text(clean);
    // Writes a line into the restart block before the line that reads text.
    const auto insertBefore = [](OrderedJob& job, std::string_view text, const char* line) {
        const auto at = std::find_if(job.lines.begin(), job.lines.end(), [&](const auto& l) {
            return l.origin == OrderedLine::Origin::Written && l.text == text;
        });
        ASSERT_NE(at, job.lines.end());
        job.lines.insert(at, {line, OrderedLine::Origin::Written});
    };
    const auto detailOf = [](const JobOrder& record) {
        return record.differences.empty() ? std::string("none") : record.differences.front().detail;
    };

    // The tool before's length offset commanded again after the change.
    const JobOrder stale =
        plantedFault(programs, [&](OrderedJob& job) { insertBefore(job, "M09", "G43 H1 Z50."); });
    ASSERT_FALSE(stale.differences.empty());
    EXPECT_EQ(stale.differences.front().kind, OrderDifference::Kind::RestartLine);
    // The return plane of the G55 program not restated: the G54 program's G99 leaks.
    const JobOrder returnPlane = plantedFault(programs, [](OrderedJob& job) {
        for (OrderedLine& line : job.lines)
            if (line.origin == OrderedLine::Origin::Written && line.text.ends_with(" G98"))
                line.text.remove_suffix(4);
    });
    ASSERT_FALSE(returnPlane.differences.empty());
    EXPECT_EQ(returnPlane.differences.front().input, 1u);
    EXPECT_EQ(detailOf(returnPlane), "G98, G99");
    // Coolant left on from the G54 program's T2.
    const JobOrder coolant =
        plantedFault(programs, [](OrderedJob& job) { removeWritten(job, "M09"); });
    EXPECT_EQ(detailOf(coolant), "M09, M08");
    // A rotation left on.
    const JobOrder rotation = plantedFault(
        programs, [&](OrderedJob& job) { insertBefore(job, "G55", "G68 X0 Y0 R30."); });
    EXPECT_EQ(detailOf(rotation), "G69, G68");
    // A program end, and a cut, in a restart block.
    for (const char* line : {"M30", "G01 Z-1. F100."}) {
        const JobOrder fault =
            plantedFault(programs, [&](OrderedJob& job) { insertBefore(job, "G55", line); });
        ASSERT_FALSE(fault.differences.empty()) << line;
        EXPECT_EQ(fault.differences.front().kind, OrderDifference::Kind::RestartLine) << line;
    }
}

TEST(ToolOrder, KeepsTheGivenOrderOfWhatItCannotRestart)
{
    // Why the given order is kept for a program beside another, and the line that says so.
    const auto givenFor = [](const std::string& program,
                             const std::string& other = "T1 M06\nG55 G00 X0 Y0\n") {
        Programs programs;
        programs.add(program, "G54");
        programs.add(other, "G55");
        const OrderedJob job = orderByTool(programs.programs(), defaultRetract(), {}, {});
        EXPECT_EQ(job.lines.empty(), job.record.given != JobOrder::Given::No);
        return std::pair(job.record.given, job.record.line);
    };
    using Given = JobOrder::Given;
    EXPECT_EQ(givenFor("T1 M06\nG65 P9000 A1.\n"), std::pair(Given::Call, std::int64_t(2)));
    EXPECT_EQ(givenFor("T1 M06\nG92 X0 Y0\n"), std::pair(Given::OffsetShift, std::int64_t(2)));
    EXPECT_EQ(givenFor("T1 M06\nG01 X1. F#101\n"), std::pair(Given::Computed, std::int64_t(2)));
    EXPECT_EQ(givenFor("G90\nG00 X0 Y0\nT1 M06\n"),
              std::pair(Given::MoveBeforeToolChange, std::int64_t(2)));
    EXPECT_EQ(givenFor("G00 Z50.\n").first, Given::MoveBeforeToolChange);
    EXPECT_EQ(givenFor("G90\n").first, Given::NoToolChange);
    EXPECT_EQ(givenFor("M06\nG00 X0\n"), std::pair(Given::ToolUnknown, std::int64_t(1)));
    // What a restart block cannot restate, or where the part would start elsewhere.
    EXPECT_EQ(givenFor("T1 M06\nG68 X0 Y0 R30.\n"),
              std::pair(Given::Unrestatable, std::int64_t(2)));
    EXPECT_EQ(givenFor("T1 M06\nG51 X0 Y0 P2.\n").first, Given::Unrestatable);
    EXPECT_EQ(givenFor("T1 M06\nG16\n").first, Given::Unrestatable);
    EXPECT_EQ(givenFor("T1 M06\nG51.1 X0\n").first, Given::Unrestatable);
    EXPECT_EQ(givenFor("T1 M06\nG91 G01 X10. F100.\n"),
              std::pair(Given::Incremental, std::int64_t(2)));
    EXPECT_EQ(givenFor("T1 M06\nG43 H1 Z10.\nG01 X1. F100.\nT2 M06\nG00 Z30.\n"),
              std::pair(Given::LengthOffsetUnknown, std::int64_t(5)));

    // The control's own units and return plane, where another program chooses them.
    const std::string inches = "G20\nT1 M06\nG55 G00 X0 Y0\n";
    EXPECT_EQ(givenFor("T1 M06\nG00 X0 Y0\n", inches),
              std::pair(Given::UnitsUnknown, std::int64_t(2)));
    EXPECT_EQ(givenFor("G21\nT1 M06\nG00 X0 Y0\n", inches).first, Given::No);
    const std::string cycle = "G21\nT1 M06\nG00 X0 Y0\nG43 H1 Z10.\nG81 X1. Z-1. R1. F50.\n";
    EXPECT_EQ(
        givenFor(cycle, "G21\nT1 M06\nG55 G00 X0 Y0\nG43 H1 Z10.\nG99 G81 X1. Z-1. R1. F50.\n"),
        std::pair(Given::ReturnPlaneUnknown, std::int64_t(5)));
    EXPECT_EQ(givenFor(cycle, cycle).first, Given::No);

    // A retract that does more than move Z up is refused whole.
    for (const std::vector<std::string>& retract :
         std::vector<std::vector<std::string>>{{"M30"},
                                               {"%"},
                                               {"M98 P100"},
                                               {"G00 Z-100."},
                                               {"G28 X0"},
                                               {"G90 G28 Z0."},
                                               {"G91 G00 Z-5."},
                                               {"G91 G28 Z0."},
                                               {}}) {
        Programs programs;
        programs.add(cycle, "G54");
        const OrderedJob job = orderByTool(programs.programs(), retract, {}, {});
        EXPECT_EQ(job.record.given, Given::UnsafeRetract) << (retract.empty() ? "" : retract[0]);
    }
    for (const std::vector<std::string>& retract :
         std::vector<std::vector<std::string>>{{"G91 G28 Z0.", "G90"},
                                               {"G53 Z0."},
                                               {"G91 G30 Z0. M09", "G90 M05"},
                                               {"G91 G00 Z50.", "G90"}})
        EXPECT_EQ(unsafeRetractLine(retract), std::nullopt) << retract[0];
}

// The order reads every line whole: a line longer than a block and than a noted text is held
// by neither, and the job keeps its given order, written as the merge wrote it.
TEST(ToolOrder, ALineTooLongToHoldKeepsTheGivenOrder)
{
    TempFolder folder;
    const std::string program =
        "T1 M06\nG00 X0 Y0\n(" + std::string(2000, 'x') + ")\nT2 M06\nG00 X1. Y1.\nM30\n";
    MergeRequest request{
        .inputs = {folder.write("in1.nc", program), folder.write("in2.nc", program)}};
    request.cells = {MergeRequest::Cell{*WorkOffset::fromName("G54"), true},
                     MergeRequest::Cell{*WorkOffset::fromName("G55"), false}};
    request.blockSize = 256;
    request.orderByTool = true;
    request.retract = defaultRetract();
    const std::string ordered = utf8FromPath(folder.path() / "ordered.nc");
    const MergeReport report = MergeNcFiles(request, ordered);
    ASSERT_EQ(report.status, MergeReport::Status::Written);
    ASSERT_TRUE(report.order);
    EXPECT_EQ(report.order->given, JobOrder::Given::LineTooLong);
    EXPECT_EQ(report.order->input, 0u);
    EXPECT_EQ(report.order->line, 3);

    request.orderByTool = false;
    const std::string given = utf8FromPath(folder.path() / "given.nc");
    ASSERT_EQ(MergeNcFiles(request, given).status, MergeReport::Status::Written);
    EXPECT_EQ(readFile(ordered), readFile(given));
}

// The order reads its inputs twice: a rewrite between the readings that keeps size and time is
// caught in the lines of the second, and nothing is written.
TEST(ToolOrder, AnInputRewrittenBetweenItsReadingsIsCaught)
{
    TempFolder folder;
    const auto program = [](const char* x) {
        return std::string("G21 G90 G17 G94\nT1 M06\nS1000 M03\nG00 X0 Y0\nG43 H1 Z10.\n") +
               "G01 Z-1. F100.\nG00 Z10.\nT2 M06\nS2000 M03\nG00 X" + x +
               " Y0\nG43 H2 Z10.\nG01 Z-1. F100.\nG00 Z10.\nM30\n";
    };
    const std::string output = folder.write("out.nc", "previous\n");
    const std::string second = folder.write("in2.nc", program("1."));
    MergeRequest request{.inputs = {folder.write("in1.nc", program("1.")), second}};
    request.cells = {MergeRequest::Cell{*WorkOffset::fromName("G54"), true},
                     MergeRequest::Cell{*WorkOffset::fromName("G55"), false}};
    request.orderByTool = true;
    request.retract = defaultRetract();
    const auto stamp = fs::last_write_time(pathFromUtf8(second));
    // False where writes are denied while the merge holds the input (Windows).
    const auto rewrite = [&](const char* x) {
        std::ofstream out(pathFromUtf8(second), std::ios::binary | std::ios::in | std::ios::out);
        const bool wrote = out && (out << program(x)).flush();
        out.close();
        std::error_code ec;
        fs::last_write_time(pathFromUtf8(second), stamp, ec);
        return wrote;
    };
    for (const char* during : {"2.", "1."}) {
        ASSERT_TRUE(rewrite("1."));
        std::optional<bool> rewritten;
        request.progress = [&](std::uint64_t done, std::uint64_t total) {
            // The second reading has begun: the first tool ran at both cells.
            if (!rewritten && done > total / 2)
                rewritten = rewrite(during);
            return true;
        };
        const MergeReport report = MergeNcFiles(request, output);
        ASSERT_TRUE(rewritten);
        if (*rewritten && std::string_view(during) == "2.") {
            EXPECT_EQ(report.status, MergeReport::Status::InputChanged);
            EXPECT_EQ(report.failure.path, second);
            EXPECT_EQ(readFile(output), "previous\n");
        } else {
            // The same bytes again, or none written.
            EXPECT_EQ(report.status, MergeReport::Status::Written);
            EXPECT_NE(readFile(output), "previous\n");
        }
    }
}

// The inputs read a second time are closed before the output replaces its file, which may be
// one of them.
TEST(ToolOrder, AnOrderedMergeMayReplaceOneOfItsInputs)
{
    TempFolder folder;
    const std::string program = "G21 G90 G17 G94\nT1 M06\nS1000 M03\nG00 X0 Y0\nG43 H1 Z10.\n"
                                "G01 Z-1. F100.\nG00 Z10.\nT2 M06\nS2000 M03\nG00 X1. Y0\n"
                                "G43 H2 Z10.\nG01 Z-1. F100.\nG00 Z10.\nM30\n";
    const std::string first = folder.write("in1.nc", program);
    MergeRequest request{.inputs = {first, folder.write("in2.nc", program)}};
    request.cells = {MergeRequest::Cell{*WorkOffset::fromName("G54"), true},
                     MergeRequest::Cell{*WorkOffset::fromName("G55"), false}};
    request.orderByTool = true;
    request.retract = defaultRetract();
    const std::string elsewhere = utf8FromPath(folder.path() / "out.nc");
    ASSERT_EQ(MergeNcFiles(request, elsewhere).status, MergeReport::Status::Written);
    const MergeReport report = MergeNcFiles(request, first);
    ASSERT_EQ(report.status, MergeReport::Status::Written);
    ASSERT_TRUE(report.order);
    EXPECT_EQ(report.order->restarts, 3); // every segment but the first
    EXPECT_EQ(readFile(first), readFile(elsewhere));
}

TEST(ToolOrder, ToolWordsLeaveALineWhoseToolStaysInTheSpindle)
{
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    const auto without = [&](std::string_view line) {
        return withoutToolWords(line, reader.read(line));
    };
    EXPECT_EQ(without("T1 M06"), "");
    EXPECT_EQ(without("N10 T01 M6 (FACE MILL)"), "");
    EXPECT_EQ(without("M06 T1"), "");
    // A tool called for the next change stays called; other words stay as they stand.
    EXPECT_EQ(without("N20 T1 M06 T2"), "N20 T2");
    EXPECT_EQ(without("T3 M06 G43 H3 Z50."), "G43 H3 Z50.");
}

TEST(ModalTracker, FollowsEveryModalValueARestartRestates)
{
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    ModalTracker tracker;
    const auto read = [&](std::string_view line) {
        return tracker.read(line, reader.read(line));
    };
    read("G21 G91 G18 G95 (G20 G90 in a comment)");
    read("T2");
    const ModalLine change = read("M06");
    EXPECT_TRUE(change.toolChange);
    EXPECT_EQ(change.changedTo, 2);
    read("G55 S 1 200 M04 M08");
    read("G43 H02 G42 D12");
    const ModalLine cycle = read("G83 X1. Z-5. R1. Q1. F 150.");
    EXPECT_FALSE(cycle.reliesOnMotion);
    EXPECT_TRUE(read("X2.").reliesOnMotion);
    ModalState state = tracker.state();
    EXPECT_EQ(state.units, 21);
    EXPECT_EQ(state.distance, 91);
    EXPECT_EQ(state.plane, 18);
    EXPECT_EQ(state.feedMode, 95);
    EXPECT_EQ(state.offset, WorkOffset::fromName("G55"));
    EXPECT_EQ(state.spindleSpeed, "1200");
    EXPECT_EQ(state.spindle, 4);
    EXPECT_EQ(state.coolant, ModalState::kFlood);
    EXPECT_EQ(state.lengthCode, 43);
    EXPECT_EQ(state.lengthOffset, "02");
    EXPECT_EQ(state.compensation, 42);
    EXPECT_EQ(state.radiusOffset, "12");
    EXPECT_EQ(state.cycle, 83);
    EXPECT_EQ(state.feed, "150.");
    EXPECT_EQ(state.tool, 2);
    // A motion code ends the cycle; a tool change stops the spindle.
    read("G00 Z10. G49 G40");
    read("T3 M06");
    state = tracker.state();
    EXPECT_EQ(state.cycle, 80);
    EXPECT_EQ(state.motion, 0);
    EXPECT_EQ(state.lengthCode, 49);
    EXPECT_EQ(state.compensation, 40);
    EXPECT_EQ(state.spindle, 5);
    EXPECT_EQ(state.tool, 3);

    // Only what the expected state knows is compared; values compare as numbers.
    ModalState expected;
    expected.feed = "150";
    expected.tool = 3;
    expected.lengthCode = 43;
    expected.lengthOffset = "2";
    expected.lengthTool = 3;
    state.coolant = 0;
    EXPECT_EQ(modalDifference(expected, state), "G43 H2, G49");
    state.lengthCode = 43;
    state.lengthOffset = "02";
    state.lengthTool = 3;
    EXPECT_EQ(modalDifference(expected, state), std::nullopt);
    expected.spindle = 3;
    EXPECT_EQ(modalDifference(expected, state), "M03, M05");
    expected.spindle.reset();

    // An offset commanded for the tool before is stale: where Z stays, the tool in the spindle
    // may run under any offset; a move of Z must run under the same one.
    expected.lengthTool = 2;
    EXPECT_EQ(modalDifference(expected, state), "G43 H2 (stale), G43 H02");
    EXPECT_EQ(modalDifference(expected, state, MoveKind::Feed, false), std::nullopt);
    state.lengthCode = 49;
    state.lengthOffset.clear();
    EXPECT_EQ(modalDifference(expected, state), "G43 H2 (stale), G49");
    // A feed counts only where the move cuts; coolant never turned on is off.
    state.feed = "300";
    EXPECT_EQ(modalDifference(expected, state, MoveKind::Rapid, false), std::nullopt);
    EXPECT_EQ(modalDifference(expected, state, MoveKind::Feed, false), "F150, F300");
    state.feed = "150";
    state.coolant = ModalState::kFlood;
    EXPECT_EQ(modalDifference(expected, state, MoveKind::Feed, false), "M09, M08");
}
