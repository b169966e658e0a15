// The checks of a plan's seams: what the cuts take and what stays inside that only ends may hold.

#include "SeamCheck.h"

#include <algorithm>
#include <array>

namespace {

// The kept lines that the checks need besides the first and last: lines that end, start or
// number a program, "%" lines, calls, jumps and returns.
constexpr std::uint32_t kCheckedWhenKept = NcLineFacts::ProgramEnd | NcLineFacts::ProgramStart |
                                           NcLineFacts::TapeMark | NcLineFacts::Call |
                                           NcLineFacts::Return;

using Severity = SeamFinding::Severity;
using Fact = NcLineFacts::Fact;

constexpr std::array kRules = {
    SeamRuleInfo{SeamRule::ProgramEndInside, Severity::Error, "program-end-inside"},
    SeamRuleInfo{SeamRule::TapeMarkInside, Severity::Error, "tape-mark-inside"},
    SeamRuleInfo{SeamRule::ToolChangeCut, Severity::Error, "tool-change-cut"},
    SeamRuleInfo{SeamRule::WorkOffsetCut, Severity::Error, "work-offset-cut"},
    SeamRuleInfo{SeamRule::SpindleStartCut, Severity::Warning, "spindle-start-cut"},
    SeamRuleInfo{SeamRule::LengthOffsetCut, Severity::Warning, "length-offset-cut"},
    SeamRuleInfo{SeamRule::CoolantCut, Severity::Warning, "coolant-cut"},
    SeamRuleInfo{SeamRule::ProgramNumberInside, Severity::Warning, "program-number-inside"},
    SeamRuleInfo{SeamRule::MoveCut, Severity::Error, "move-cut"},
    SeamRuleInfo{SeamRule::CallCut, Severity::Error, "call-cut"},
    SeamRuleInfo{SeamRule::CalledLabelCut, Severity::Error, "called-label-cut"},
    SeamRuleInfo{SeamRule::ReturnInside, Severity::Error, "return-inside"},
    SeamRuleInfo{SeamRule::ControlBytes, Severity::Error, "control-bytes"},
    SeamRuleInfo{SeamRule::ProgramNameDiffers, Severity::Warning, "program-name-differs"},
    SeamRuleInfo{SeamRule::InputShort, Severity::Error, "input-short"},
    SeamRuleInfo{SeamRule::InputUnreadable, Severity::Error, "input-unreadable"},
    SeamRuleInfo{SeamRule::InputNotRegular, Severity::Error, "input-not-regular"},
    SeamRuleInfo{SeamRule::NotAllChecked, Severity::Warning, "not-all-checked"},
    SeamRuleInfo{SeamRule::OffsetsDiffer, Severity::Error, "offsets-differ"},
    SeamRuleInfo{SeamRule::OffsetNotPlaced, Severity::Error, "offset-not-placed"},
    SeamRuleInfo{SeamRule::OffsetLineTooLong, Severity::Error, "offset-line-too-long"},
    SeamRuleInfo{SeamRule::OffsetShift, Severity::Warning, "offset-shift"},
    SeamRuleInfo{SeamRule::HeidenhainMoved, Severity::Error, "heidenhain-moved"},
    SeamRuleInfo{SeamRule::OffsetDiffersFromCell, Severity::Warning, "offset-differs-from-cell"},
    SeamRuleInfo{SeamRule::ToolListUnreadable, Severity::Error, "tool-list-unreadable"},
    SeamRuleInfo{SeamRule::ToolNotInList, Severity::Error, "tool-not-in-list"},
    SeamRuleInfo{SeamRule::ToolSpindleDiffers, Severity::Warning, "tool-spindle-differs"},
    SeamRuleInfo{SeamRule::ToolFeedDiffers, Severity::Warning, "tool-feed-differs"},
    SeamRuleInfo{SeamRule::ToolOffsetNumber, Severity::Warning, "tool-offset-number"},
    SeamRuleInfo{SeamRule::ToolCoolantDiffers, Severity::Warning, "tool-coolant-differs"},
    SeamRuleInfo{SeamRule::ToolNotMeasured, Severity::Warning, "tool-not-measured"},
    SeamRuleInfo{SeamRule::ToolLengthDeltaDiffers, Severity::Warning, "tool-dl-differs"},
    SeamRuleInfo{SeamRule::ToolsNotAllRead, Severity::Warning, "tools-not-all-read"},
    SeamRuleInfo{SeamRule::ToolSpeedNotChanged, Severity::Error, "tool-speed-not-changed"},
    SeamRuleInfo{SeamRule::ToolListRowShifted, Severity::Error, "tool-list-row-shifted"},
    SeamRuleInfo{SeamRule::ToolListDuplicate, Severity::Warning, "tool-list-duplicate"},
    SeamRuleInfo{SeamRule::ToolListTooLong, Severity::Error, "tool-list-too-long"},
    SeamRuleInfo{SeamRule::ToolFeedNotApplied, Severity::Warning, "tool-feed-not-applied"},
    SeamRuleInfo{SeamRule::ToolSpeedChangedMuch, Severity::Warning, "tool-speed-changed-much"},
    SeamRuleInfo{SeamRule::OrderKeptGiven, Severity::Warning, "order-kept-given"},
    SeamRuleInfo{SeamRule::OrderLineLost, Severity::Error, "order-line-lost"},
    SeamRuleInfo{SeamRule::OrderLineAltered, Severity::Error, "order-line-altered"},
    SeamRuleInfo{SeamRule::OrderOutOfOrder, Severity::Error, "order-out-of-order"},
    SeamRuleInfo{SeamRule::OrderStateDiffers, Severity::Error, "order-state-differs"},
    SeamRuleInfo{SeamRule::OrderRetractMissing, Severity::Error, "order-retract-missing"},
    SeamRuleInfo{SeamRule::OrderToolChangeRepeated, Severity::Error, "order-tool-change-repeated"},
    SeamRuleInfo{SeamRule::OrderRestartLine, Severity::Error, "order-restart-line"},
    SeamRuleInfo{SeamRule::SpindleStopCut, Severity::Warning, "spindle-stop-cut"},
    SeamRuleInfo{SeamRule::CoolantOffCut, Severity::Warning, "coolant-off-cut"},
};

// A call of an O program by M98 P: older controls write the repeat count before the program's
// four digits (P30100 runs O0100 three times).
bool calls(const NcLabel& target, const NcLabel& label)
{
    if (target == label)
        return true;
    return target.kind == 'O' && label.kind == 'O' && target.number > 9999 &&
           target.number % 10000 == label.number;
}

class SeamChecker
{
public:
    explicit SeamChecker(const MergeReport& report) : m_report(report) {}

    std::vector<SeamFinding> run()
    {
        std::vector<const InputRecord*> copied;
        for (const InputRecord& input : m_report.inputs)
            if (input.outcome == InputRecord::Outcome::Copied)
                copied.push_back(&input);
        for (const InputRecord* input : copied)
            for (const auto* lines : {&input->firstKept, &input->notedKept, &input->lastKept})
                for (const NumberedLine& line : *lines)
                    if (line.facts.target)
                        m_calledLabels.push_back(line.facts.target);

        for (const InputRecord& input : m_report.inputs) {
            if (input.outcome == InputRecord::Outcome::Copied)
                checkInput(input, &input == copied.front(), &input == copied.back());
            else
                checkLeftOut(input);
        }
        checkProgramNames(copied);
        return std::move(m_findings);
    }

private:
    void checkLeftOut(const InputRecord& input)
    {
        SeamRule rule;
        switch (input.outcome) {
        case InputRecord::Outcome::Short:
            rule = SeamRule::InputShort;
            break;
        case InputRecord::Outcome::Unreadable:
            rule = SeamRule::InputUnreadable;
            break;
        case InputRecord::Outcome::NotRegularFile:
            rule = SeamRule::InputNotRegular;
            break;
        default:
            return;
        }
        m_findings.push_back({.rule = rule,
                              .severity = seamRuleInfo(rule).severity,
                              .path = input.path,
                              .line = 0,
                              .text = {},
                              .error = input.error,
                              .input = entryOf(input)});
    }

    // What the cuts take that the program needed.
    void checkCuts(const InputRecord& input, std::vector<SeamFinding>& found) const
    {
        static constexpr std::pair<Fact, SeamRule> kCutRules[] = {
            {Fact::ToolChange, SeamRule::ToolChangeCut},
            {Fact::WorkOffset, SeamRule::WorkOffsetCut},
            {Fact::SpindleStart, SeamRule::SpindleStartCut},
            {Fact::LengthOffset, SeamRule::LengthOffsetCut},
            {Fact::CoolantOn, SeamRule::CoolantCut},
            {Fact::AxisMove, SeamRule::MoveCut},
            {Fact::Call, SeamRule::CallCut},
            {Fact::Return, SeamRule::CallCut},
        };
        // A placed program gets its cell's offset before its first move: a selection cut is
        // made up for.
        const bool placed = input.placement && input.placement->rewrite &&
                            input.dialect != NcLineReader::Dialect::Heidenhain;
        for (const auto* cut : {&input.cutTop, &input.cutBottom})
            for (const NumberedLine& line : *cut) {
                for (const auto& [fact, rule] : kCutRules)
                    if (line.facts.has(fact) &&
                        (fact != Fact::Return || !line.facts.has(Fact::Call)) &&
                        (fact != Fact::WorkOffset || !placed))
                        found.push_back(finding(rule, input, line));
                if (line.facts.label && std::any_of(m_calledLabels.begin(), m_calledLabels.end(),
                                                    [&](const NcLabel& target) {
                                                        return calls(target, line.facts.label);
                                                    }))
                    found.push_back(finding(SeamRule::CalledLabelCut, input, line));
            }
        // What a bottom cut stops stays on for the next program's first moves.
        for (const NumberedLine& line : input.cutBottom) {
            if (line.facts.has(Fact::SpindleStop))
                found.push_back(finding(SeamRule::SpindleStopCut, input, line));
            if (line.facts.has(Fact::CoolantOff))
                found.push_back(finding(SeamRule::CoolantOffCut, input, line));
        }
    }

    // What stays inside the merged program that only its ends may hold.
    void checkKept(const InputRecord& input, bool first, bool last,
                   std::vector<SeamFinding>& found) const
    {
        const std::int64_t firstLine = input.firstKept.empty() ? 0 : input.firstKept[0].number;
        const std::int64_t lastLine = input.lastKept.empty() ? 0 : input.lastKept.back().number;
        for (const NumberedLine* line : keptLines(input)) {
            const NcLineFacts& facts = line->facts;
            const bool outputStart = first && line->number == firstLine;
            const bool outputEnd = last && line->number == lastLine;
            if (facts.has(Fact::ProgramEnd) && !last)
                found.push_back(finding(SeamRule::ProgramEndInside, input, *line));
            if (facts.has(Fact::Return) && !last)
                found.push_back(finding(SeamRule::ReturnInside, input, *line));
            if (facts.has(Fact::TapeMark) && !outputStart && !outputEnd)
                found.push_back(finding(SeamRule::TapeMarkInside, input, *line));
            if (facts.has(Fact::ProgramStart) && !first)
                found.push_back(finding(SeamRule::ProgramNumberInside, input, *line));
        }
    }

    void checkInput(const InputRecord& input, bool first, bool last)
    {
        std::vector<SeamFinding> found;
        if (input.notAllNoted)
            found.push_back({SeamRule::NotAllChecked, Severity::Warning, input.path, 0, {}});
        if (input.controlByte) {
            SeamFinding finding{
                SeamRule::ControlBytes, Severity::Error, input.path, input.controlByte->line, {}};
            finding.offset = input.controlByte->offset;
            finding.byte = input.controlByte->byte;
            found.push_back(finding);
        }
        checkCuts(input, found);
        checkKept(input, first, last, found);
        if (input.placement)
            checkPlacement(input, *input.placement, found);
        std::stable_sort(
            found.begin(), found.end(),
            [](const SeamFinding& a, const SeamFinding& b) { return a.line < b.line; });
        for (SeamFinding& finding : found)
            finding.input = entryOf(input);
        m_findings.insert(m_findings.end(), found.begin(), found.end());
    }

    // What keeps a placed program from running at its cell's offset, or may move it there.
    static void checkPlacement(const InputRecord& input, const InputPlacement& placement,
                               std::vector<SeamFinding>& found)
    {
        if (input.dialect == NcLineReader::Dialect::Heidenhain) {
            if (!placement.firstCell)
                found.push_back({SeamRule::HeidenhainMoved, Severity::Error, input.path, 0, {}});
            return;
        }
        if (placement.notAllListed)
            found.push_back({SeamRule::NotAllChecked, Severity::Warning, input.path, 0, {}});
        bool differs = false;
        for (const InputPlacement::NotedLine& line : placement.lines) {
            const auto add = [&](SeamRule rule) {
                found.push_back(
                    {rule, seamRuleInfo(rule).severity, input.path, line.line, line.text});
            };
            bool named = true;
            bool otherThanCell = false;
            bool another = false;
            for (const NcLineFacts::OffsetSelection& selection : line.offsets) {
                named = named && selection.offset;
                if (!selection.offset)
                    continue;
                otherThanCell = otherThanCell || *selection.offset != placement.cell;
                another = another || *selection.offset != *placement.firstSelected;
            }
            if (!line.placed)
                add(SeamRule::OffsetLineTooLong);
            else if (placement.rewrite && !named)
                add(SeamRule::OffsetNotPlaced);
            if (another && !differs) {
                differs = true;
                add(SeamRule::OffsetsDiffer);
            }
            if (line.shift)
                add(SeamRule::OffsetShift);
            if (!placement.rewrite && otherThanCell)
                add(SeamRule::OffsetDiffersFromCell);
        }
    }

    // A Heidenhain program is called by the name of its BEGIN PGM; an END PGM of another name
    // ends it elsewhere than the control expects.
    void checkProgramNames(const std::vector<const InputRecord*>& copied)
    {
        if (copied.empty() || copied.front()->dialect != NcLineReader::Dialect::Heidenhain)
            return;
        const NumberedLine* begin = nullptr;
        for (const NumberedLine* line : keptLines(*copied.front()))
            if (!begin && line->facts.has(Fact::ProgramStart))
                begin = line;
        const NumberedLine* end = nullptr;
        for (const NumberedLine* line : keptLines(*copied.back()))
            if (line->facts.has(Fact::ProgramEnd) && !line->facts.programName.empty())
                end = line;
        if (begin && end && begin->facts.programName != end->facts.programName)
            m_findings.push_back(finding(SeamRule::ProgramNameDiffers, *copied.back(), *end));
    }

    // Every kept line the checks need is among the noted, first and last ones.
    static std::vector<const NumberedLine*> keptLines(const InputRecord& input)
    {
        std::vector<const NumberedLine*> kept;
        for (const auto* lines : {&input.firstKept, &input.notedKept, &input.lastKept})
            for (const NumberedLine& line : *lines)
                kept.push_back(&line);
        std::sort(kept.begin(), kept.end(), [](const NumberedLine* a, const NumberedLine* b) {
            return a->number < b->number;
        });
        kept.erase(std::unique(kept.begin(), kept.end(),
                               [](const NumberedLine* a, const NumberedLine* b) {
                                   return a->number == b->number;
                               }),
                   kept.end());
        return kept;
    }

    std::size_t entryOf(const InputRecord& input) const
    {
        return static_cast<std::size_t>(&input - m_report.inputs.data());
    }

    SeamFinding finding(SeamRule rule, const InputRecord& input, const NumberedLine& line) const
    {
        SeamFinding found{rule, seamRuleInfo(rule).severity, input.path, line.number, line.text};
        found.input = entryOf(input);
        return found;
    }

    const MergeReport& m_report;
    std::vector<NcLabel> m_calledLabels;
    std::vector<SeamFinding> m_findings;
};

} // namespace

const SeamRuleInfo& seamRuleInfo(SeamRule rule)
{
    return *std::find_if(kRules.begin(), kRules.end(),
                         [rule](const SeamRuleInfo& info) { return info.rule == rule; });
}

namespace {

// What ordering by tool kept or its proof found.
void addOrderFindings(const MergeReport& plan, std::vector<SeamFinding>& findings)
{
    if (!plan.order)
        return;
    const JobOrder& order = *plan.order;
    const auto pathOf = [&](std::optional<std::size_t> input) {
        return input && *input < plan.inputs.size() ? plan.inputs[*input].path : std::string();
    };
    if (order.given != JobOrder::Given::No) {
        findings.push_back({.rule = SeamRule::OrderKeptGiven,
                            .severity = Severity::Warning,
                            .path = pathOf(order.input),
                            .line = order.line,
                            .text = order.text,
                            .detail = orderKeptGivenKey(order.given),
                            .input = order.input});
        return;
    }
    for (const OrderDifference& difference : order.differences) {
        SeamRule rule = SeamRule::OrderLineLost;
        switch (difference.kind) {
        case OrderDifference::Kind::LineLost:
            rule = SeamRule::OrderLineLost;
            break;
        case OrderDifference::Kind::LineAltered:
            rule = SeamRule::OrderLineAltered;
            break;
        case OrderDifference::Kind::OutOfOrder:
            rule = SeamRule::OrderOutOfOrder;
            break;
        case OrderDifference::Kind::State:
            rule = SeamRule::OrderStateDiffers;
            break;
        case OrderDifference::Kind::Retract:
            rule = SeamRule::OrderRetractMissing;
            break;
        case OrderDifference::Kind::ToolChangeRepeated:
            rule = SeamRule::OrderToolChangeRepeated;
            break;
        case OrderDifference::Kind::RestartLine:
            rule = SeamRule::OrderRestartLine;
            break;
        }
        findings.push_back({.rule = rule,
                            .severity = Severity::Error,
                            .path = pathOf(difference.input),
                            .line = difference.line,
                            .text = difference.text,
                            .detail = difference.detail,
                            .input = difference.input});
    }
}

std::vector<SeamFinding> allFindings(const MergeReport& plan, const PlanCheck& moreChecks)
{
    std::vector<SeamFinding> findings = SeamChecker(plan).run();
    addOrderFindings(plan, findings);
    if (moreChecks) {
        std::vector<SeamFinding> more = moreChecks(plan);
        findings.insert(findings.end(), std::make_move_iterator(more.begin()),
                        std::make_move_iterator(more.end()));
    }
    return findings;
}

} // namespace

CheckedPlan PlanAndCheck(MergeRequest request, const PlanCheck& moreChecks)
{
    request.noteKept |= kCheckedWhenKept;
    CheckedPlan checked{PlanNcMerge(request), {}};
    if (checked.plan.succeeded())
        checked.findings = allFindings(checked.plan, moreChecks);
    return checked;
}

void CheckSeamsBeforeWriting(MergeRequest& request, std::vector<SeamFinding>& findings,
                             SeamApproval approve, PlanCheck moreChecks)
{
    request.noteKept |= kCheckedWhenKept;
    request.approve = [&findings, approve = std::move(approve),
                       moreChecks = std::move(moreChecks)](const MergeReport& plan) {
        findings = allFindings(plan, moreChecks);
        return approve(findings);
    };
}
