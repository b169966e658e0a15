// The rules the lines of a job run tool by tool follow: the retract, the tool words a change
// may lose, the keys of why the given order was kept.

#include "ToolOrder.h"

#include "core/nc/LineStage.h"

#include <algorithm>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> defaultRetract()
{
    return {"G91 G28 Z0.", "G90"};
}

std::vector<std::string> retractLines(std::string_view stored)
{
    std::vector<std::string> lines;
    while (!stored.empty()) {
        const std::size_t end = std::min(stored.find('\n'), stored.size());
        std::string_view line = stored.substr(0, end);
        stored.remove_prefix(std::min(end + 1, stored.size()));
        while (!line.empty() && (isBlank(line.back()) || line.back() == '\r'))
            line.remove_suffix(1);
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::optional<std::size_t> unsafeRetractLine(const std::vector<std::string>& retract)
{
    if (retract.empty())
        return 0;
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    reader.keepAxisWords(true);
    bool incremental = false;
    for (std::size_t i = 0; i < retract.size(); ++i) {
        const std::string_view line = retract[i];
        const NcLineFacts facts = reader.read(line);
        constexpr std::uint32_t kAllowed =
            NcLineFacts::AxisMove | NcLineFacts::SpindleStop | NcLineFacts::CoolantOff;
        if ((facts.facts & ~kAllowed) != 0 || !facts.offsets.empty())
            return i;
        std::optional<double> moveCode; // G00, G28, G30 or G53
        std::optional<double> z;
        for (const NcWord& word : facts.words) {
            const std::optional<double> value = wordNumber(line, word);
            if (!value)
                return i;
            const double v = *value;
            if (word.is('G') && (v == 0 || v == 28 || v == 30 || v == 53) && !moveCode)
                moveCode = v;
            else if (word.is('G') && (v == 90 || v == 91))
                incremental = v == 91;
            else if (word.is('Z') && !z)
                z = v;
            // Cancelling compensation, cycles, spindle and coolant at the retract, as posts do.
            else if (!(word.is('G') && (v == 40 || v == 49 || v == 80)) &&
                     !(word.is('M') && (v == 5 || v == 9)))
                return i;
        }
        if (!moveCode && !z)
            continue;
        if (!moveCode || !z)
            return i;
        // Up only: a return by an incremental point that stays where the tool is, machine
        // coordinates at or above the reference position, an incremental rapid upwards.
        const bool up = *moveCode == 53  ? *z >= 0
                        : *moveCode == 0 ? incremental && *z > 0
                                         : incremental && *z >= 0;
        if (!up)
            return i;
    }
    // Every restart block's lines are written in absolute distances.
    return incremental ? std::optional(retract.size() - 1) : std::nullopt;
}

const char* orderKeptGivenKey(JobOrder::Given given)
{
    switch (given) {
    case JobOrder::Given::No:
        return "";
    case JobOrder::Given::Heidenhain:
        return "heidenhain";
    case JobOrder::Given::NotPlaced:
        return "not-placed";
    case JobOrder::Given::Call:
        return "call";
    case JobOrder::Given::OffsetShift:
        return "offset-shift";
    case JobOrder::Given::Computed:
        return "computed";
    case JobOrder::Given::MoveBeforeToolChange:
        return "move-before-tool-change";
    case JobOrder::Given::NoToolChange:
        return "no-tool-change";
    case JobOrder::Given::ToolUnknown:
        return "tool-unknown";
    case JobOrder::Given::LineTooLong:
        return "line-too-long";
    case JobOrder::Given::Unrestatable:
        return "unrestatable";
    case JobOrder::Given::Incremental:
        return "incremental";
    case JobOrder::Given::UnitsUnknown:
        return "units-unknown";
    case JobOrder::Given::ReturnPlaneUnknown:
        return "return-plane-unknown";
    case JobOrder::Given::PositionUnknown:
        return "position-unknown";
    case JobOrder::Given::LengthOffsetUnknown:
        return "length-offset-unknown";
    case JobOrder::Given::UnsafeRetract:
        return "unsafe-retract";
    }
    return "";
}

std::string withoutToolWords(std::string_view line, const NcLineFacts& facts)
{
    // A tool the line calls for a later change stays called.
    const std::optional<std::int64_t> runs = isoToolWords(line, facts.words).runs;
    bool runsLeft = runs.has_value();
    std::string rest;
    std::size_t from = 0;
    for (const NcWord& word : facts.words) {
        const std::optional<double> tool = word.is('T') ? wordNumber(line, word) : std::nullopt;
        const bool named = runsLeft && tool && *tool == double(runs.value_or(-1));
        runsLeft = runsLeft && !named;
        if ((!named && !isWordCode(line, word, "M", 6)) || word.begin == 0)
            continue;
        rest.append(line.substr(from, word.begin - 1 - from));
        from = word.end;
        while (from < line.size() && isBlank(line[from]))
            ++from;
    }
    rest.append(line.substr(from));
    while (!rest.empty() && isBlank(rest.back()))
        rest.pop_back();
    // Nothing but a block number, comments and blanks: the line goes.
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    const NcLineFacts left = reader.read(rest);
    const bool words = !left.words.empty() || left.facts != 0 || left.label.kind == 'O';
    bool other = words;
    for (std::size_t i = 0; !other && i < rest.size(); ++i) {
        const char c = rest[i];
        if (c == '(') {
            const std::size_t close = rest.find(')', i);
            i = close == std::string::npos ? rest.size() : close;
        } else if (c == ';') {
            break;
        } else if (c == 'N' || c == 'n') {
            while (i + 1 < rest.size() && rest[i + 1] >= '0' && rest[i + 1] <= '9')
                ++i;
        } else if (!isBlank(c)) {
            other = true;
        }
    }
    return other ? rest : std::string();
}
