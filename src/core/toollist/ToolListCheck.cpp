// A merge's tools checked against the machine's tool list, and the list's speeds for them.

#include "ToolListCheck.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

std::string trimmed(const std::string& text)
{
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

std::optional<double> listNumber(const std::string& value)
{
    return ncNumber(trimmed(value));
}

// A spindle or feed of 0 is no speed to check or write: it would stop the cut.
std::optional<double> listSpeed(const std::string& value)
{
    const std::optional<double> speed = listNumber(value);
    return speed && *speed > 0 ? speed : std::nullopt;
}

bool differs(double a, double b)
{
    return std::fabs(a - b) > 1e-9;
}

std::string codeText(double coolant)
{
    return coolant == 7 ? "M07" : coolant == 8 ? "M08" : "M" + formatG(coolant);
}

class ToolListChecker
{
public:
    ToolListChecker(const JobToolList& toolList, bool applied, std::vector<SeamFinding>& findings)
        : m_list(toolList.list.tools), m_applied(applied), m_findings(findings)
    {}

    void check(const InputRecord& input, const ToolUsage& tool)
    {
        m_input = &input;
        m_tool = &tool;
        const std::optional<ListedTool> listed = findListedTool(m_list, tool);
        if (!listed) {
            add(SeamRule::ToolNotInList, tool.change, "T" + tool.name);
            return;
        }
        if (listed->notMeasured)
            add(SeamRule::ToolNotMeasured, tool.change, "T" + tool.name);
        const bool spindleApplied = m_applied && !input.tools->spindleNotApplied;
        const bool feedApplied = m_applied && !input.tools->feedNotApplied;
        if (listed->spindle)
            for (const ToolWord& spindle : tool.spindles)
                if (differs(spindle.number, *listed->spindle))
                    speed(SeamRule::ToolSpindleDiffers, spindleApplied, spindle, spindle.number,
                          *listed->spindle, "S" + spindle.value,
                          "S" + trimmed(listed->entry->values[5]));
        if (const ToolUsage::Feed* main = tool.mainFeed();
            main && listed->feed && differs(main->word.number, *listed->feed))
            speed(SeamRule::ToolFeedDiffers, feedApplied, main->word, main->word.number,
                  *listed->feed, "F" + main->word.value, "F" + trimmed(listed->entry->values[6]));
        if (tool.number >= 0) {
            for (const ToolWord& offset : tool.lengthOffsets)
                if (differs(offset.number, double(tool.number)))
                    add(SeamRule::ToolOffsetNumber, offset, "H" + offset.value);
            for (const ToolWord& offset : tool.radiusOffsets)
                if (differs(offset.number, double(tool.number)))
                    add(SeamRule::ToolOffsetNumber, offset, "D" + offset.value);
        }
        if (listed->coolant)
            for (const ToolWord& coolant : tool.coolants)
                if (differs(coolant.number, *listed->coolant))
                    add(SeamRule::ToolCoolantDiffers, coolant,
                        coolant.value + ", " + codeText(*listed->coolant));
        if (listed->lengthDelta)
            for (const ToolWord& delta : tool.lengthDeltas)
                if (differs(delta.number, *listed->lengthDelta))
                    add(SeamRule::ToolLengthDeltaDiffers, delta,
                        "DL" + delta.value + ", " + trimmed(listed->entry->values[9]));
    }

private:
    // A speed other than the list's: a warning where it stays, and where the list's replaced it
    // one only if it more than doubled or fell below half.
    void speed(SeamRule differs, bool applied, const ToolWord& where, double program, double list,
               const std::string& before, const std::string& after)
    {
        if (!applied)
            add(differs, where, before + ", " + after.substr(1));
        else if (list > 2 * program || list < 0.5 * program)
            add(SeamRule::ToolSpeedChangedMuch, where, before + " -> " + after);
    }

    void add(SeamRule rule, const ToolWord& where, std::string detail)
    {
        SeamFinding finding{.rule = rule,
                            .severity = seamRuleInfo(rule).severity,
                            .path = m_input->path,
                            .line = where.line,
                            .text = where.text};
        finding.tool = m_tool->name;
        finding.detail = "T" + m_tool->name + ": " + detail;
        if (rule == SeamRule::ToolNotInList || rule == SeamRule::ToolNotMeasured)
            finding.detail = detail;
        m_findings.push_back(std::move(finding));
    }

    const std::vector<ToolEntry>& m_list;
    bool m_applied;
    std::vector<SeamFinding>& m_findings;
    const InputRecord* m_input = nullptr;
    const ToolUsage* m_tool = nullptr;
};

} // namespace

JobToolList readJobToolList(const std::string& path)
{
    constexpr std::size_t kMaxTools = 100000;
    return {path, ReadToolList(path, kMaxTools)};
}

std::optional<ListedTool> findListedTool(const std::vector<ToolEntry>& list, const ToolUsage& tool)
{
    const auto found = std::find_if(list.begin(), list.end(), [&](const ToolEntry& entry) {
        if (tool.number >= 0)
            return toolNumber(entry.values[0]) == tool.number;
        return trimmed(entry.values[0]) == tool.name;
    });
    if (found == list.end())
        return std::nullopt;
    ListedTool listed{.entry = &*found,
                      .spindle = listSpeed(found->values[5]),
                      .feed = listSpeed(found->values[6]),
                      .lengthDelta = listNumber(found->values[9])};
    std::string coolant = trimmed(found->values[4]);
    if (!coolant.empty() && (coolant[0] == 'M' || coolant[0] == 'm'))
        listed.coolant = ncNumber(coolant.substr(1));
    const std::string measured = trimmed(found->values[8]);
    listed.notMeasured = measured == "X" || measured == "x";
    return listed;
}

namespace {

// The list's own faults, where they stand in it.
void checkList(const JobToolList& toolList, std::vector<SeamFinding>& findings)
{
    const auto listFinding = [&](SeamRule rule, int line, std::string text, std::string detail) {
        findings.push_back({.rule = rule,
                            .severity = seamRuleInfo(rule).severity,
                            .path = toolList.path,
                            .line = line,
                            .text = std::move(text),
                            .detail = std::move(detail)});
    };
    for (const ToolListReadResult::ShiftedRow& row : toolList.list.shifted)
        listFinding(SeamRule::ToolListRowShifted, row.line, row.text, {});
    if (toolList.list.leftOut > 0)
        listFinding(SeamRule::ToolListTooLong, 0, {},
                    std::to_string(toolList.list.leftOut) + " rows");
    const std::vector<ToolEntry>& tools = toolList.list.tools;
    std::map<std::string, std::size_t> firstOf;
    for (std::size_t i = 0; i < tools.size(); ++i) {
        const std::optional<std::int64_t> number = toolNumber(tools[i].values[0]);
        const std::string key =
            number ? "T" + std::to_string(*number) : trimmed(tools[i].values[0]);
        if (key.empty())
            continue;
        if (const auto [first, added] = firstOf.emplace(key, i); !added)
            listFinding(SeamRule::ToolListDuplicate, 0, trimmed(tools[i].values[0]),
                        trimmed(tools[first->second].values[0]) + ", " +
                            trimmed(tools[i].values[0]));
    }
}

// What the tool reader of one input could not read or change.
void checkReading(const InputRecord& input, std::vector<SeamFinding>& findings)
{
    const auto wholeInput = [&](SeamRule rule, std::int64_t line) {
        findings.push_back({.rule = rule,
                            .severity = seamRuleInfo(rule).severity,
                            .path = input.path,
                            .line = line});
    };
    if (input.tools->notAllRead)
        wholeInput(SeamRule::ToolsNotAllRead, 0);
    for (const std::int64_t line : input.tools->notChanged)
        wholeInput(SeamRule::ToolSpeedNotChanged, line);
    for (const std::optional<InputTools::NotApplied>& left :
         {input.tools->feedNotApplied, input.tools->spindleNotApplied})
        if (left)
            findings.push_back({.rule = SeamRule::ToolFeedNotApplied,
                                .severity = seamRuleInfo(SeamRule::ToolFeedNotApplied).severity,
                                .path = input.path,
                                .line = left->where.line,
                                .text = left->where.text,
                                .detail = left->why});
}

} // namespace

std::vector<SeamFinding> checkToolsAgainstList(const MergeReport& report,
                                               const JobToolList& toolList, bool applied)
{
    std::vector<SeamFinding> findings;
    if (!toolList.list.read) {
        findings.push_back({.rule = SeamRule::ToolListUnreadable,
                            .severity = seamRuleInfo(SeamRule::ToolListUnreadable).severity,
                            .path = toolList.path,
                            .error = toolList.list.error});
        return findings;
    }
    checkList(toolList, findings);
    ToolListChecker checker(toolList, applied, findings);
    for (std::size_t entry = 0; entry < report.inputs.size(); ++entry) {
        const InputRecord& input = report.inputs[entry];
        if (input.outcome != InputRecord::Outcome::Copied || !input.tools)
            continue;
        const std::size_t firstOfInput = findings.size();
        for (const ToolUsage& tool : input.tools->tools)
            checker.check(input, tool);
        checkReading(input, findings);
        for (std::size_t i = firstOfInput; i < findings.size(); ++i)
            findings[i].input = entry;
    }
    return findings;
}

std::vector<ToolSpeeds> toolSpeedsFromList(const MergeReport& plan, const ToolListReadResult& list)
{
    std::vector<ToolSpeeds> speeds(plan.inputs.size());
    for (std::size_t i = 0; i < plan.inputs.size(); ++i) {
        const InputRecord& input = plan.inputs[i];
        if (input.outcome != InputRecord::Outcome::Copied || !input.tools)
            continue;
        for (const ToolUsage& tool : input.tools->tools) {
            const std::optional<ListedTool> listed = findListedTool(list.tools, tool);
            // A row read shifted has no values to apply.
            if (!listed ||
                std::any_of(list.shifted.begin(), list.shifted.end(), [&](const auto& row) {
                    return &list.tools[row.tool] == listed->entry;
                }))
                continue;
            ToolSpeed speed;
            if (listed->spindle)
                speed.spindle = trimmed(listed->entry->values[5]);
            if (const ToolUsage::Feed* main = tool.mainFeed(); main && listed->feed) {
                speed.mainFeed = main->word.number;
                speed.feed = trimmed(listed->entry->values[6]);
            }
            if (speed.spindle || speed.mainFeed)
                speeds[i][tool.name] = speed;
        }
    }
    return speeds;
}

PlanCheck toolListCheck(JobToolList toolList, bool applied)
{
    return [toolList = std::move(toolList), applied](const MergeReport& plan) {
        return checkToolsAgainstList(plan, toolList, applied);
    };
}

MergeReport planToolSpeeds(MergeRequest& request, const JobToolList& toolList)
{
    request.readTools = true;
    MergeReport plan = PlanNcMerge(request);
    if (plan.succeeded() && toolList.list.read)
        request.toolSpeeds = toolSpeedsFromList(plan, toolList.list);
    return plan;
}
