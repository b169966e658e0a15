#include "ToolOrder.h"

#include <algorithm>
#include <map>

namespace {

constexpr std::size_t kMaxText = 512;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A part of a program between two of its tool changes.
struct Segment
{
    std::size_t program = 0;
    std::size_t number = 0; // in its program, from 0
    std::size_t begin = 0;  // lines of the program
    std::size_t change = 0; // its tool change line
    std::size_t end = 0;
    std::int64_t tool = 0;
    ModalState before;      // the program's state before its first line
    ModalState afterChange; // and after its tool change line
    bool reliesOnMotion = false;
};

// A program split at its tool changes: lines before its first one (the header of the first
// program, else part of its first segment), its segments, and where its program end starts.
struct SplitProgram
{
    std::vector<Segment> segments;
    std::size_t end = 0; // of the job's last program: from its program end on
    std::int64_t toolChanges = 0;
};

struct Refusal
{
    JobOrder::Given reason = JobOrder::Given::No;
    std::size_t line = 0;
};

std::optional<Refusal> split(const OrderProgram& program, std::size_t index, bool last,
                             SplitProgram& split)
{
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(true);
    ModalTracker tracker;
    bool motionSet = false; // G00 to G03 seen since the segment began
    constexpr std::size_t kNone = std::size_t(-1);
    std::size_t programEnd = kNone; // the first after the last tool change
    for (std::size_t i = 0; i < program.lines.size(); ++i) {
        const std::string_view line = program.lines[i];
        const NcLineFacts facts = reader.read(line);
        // Kept only where a segment may start: a copy a line costs.
        std::optional<ModalState> before;
        if (facts.has(NcLineFacts::ToolChange))
            before = tracker.state();
        const ModalLine read = tracker.read(line, facts);
        if (facts.has(NcLineFacts::Call) || facts.has(NcLineFacts::Return))
            return Refusal{JobOrder::Given::Call, i};
        if (facts.has(NcLineFacts::OffsetShift))
            return Refusal{JobOrder::Given::OffsetShift, i};
        if (read.computed)
            return Refusal{JobOrder::Given::Computed, i};
        if (read.toolChange) {
            ++split.toolChanges;
            if (!read.changedTo)
                return Refusal{JobOrder::Given::ToolUnknown, i};
            if (!split.segments.empty())
                split.segments.back().end = i;
            // The first program's header stands apart; the lines before any other program's
            // first tool change go with its first segment.
            const bool withHeader = split.segments.empty() && index != 0;
            Segment segment{.program = index,
                            .number = split.segments.size(),
                            .begin = withHeader ? 0 : i,
                            .change = i,
                            .tool = *read.changedTo,
                            .before = withHeader ? ModalState{} : before.value_or(ModalState{}),
                            .afterChange = tracker.state()};
            split.segments.push_back(std::move(segment));
            motionSet = false;
            programEnd = kNone;
            continue;
        }
        if (read.move && split.segments.empty())
            return Refusal{JobOrder::Given::MoveBeforeToolChange, i};
        if (!split.segments.empty() && read.move && read.reliesOnMotion && !motionSet)
            split.segments.back().reliesOnMotion = true;
        // A cycle leaves the motion mode as it was, for the moves after G80.
        motionSet = motionSet || read.setsMotion;
        if (facts.has(NcLineFacts::ProgramEnd) && programEnd == kNone)
            programEnd = i;
    }
    if (split.segments.empty())
        return Refusal{JobOrder::Given::NoToolChange, program.lines.size()}; // the whole program
    split.end = last && programEnd != kNone ? programEnd : program.lines.size();
    split.segments.back().end = split.end;
    return std::nullopt;
}

// Segments in tool runs: each cell's segments in their order, the tool kept while any cell's next
// segment runs it, then the tool most cells run next (the earliest cell's among equals).
std::vector<const Segment*> schedule(const std::vector<OrderProgram>& programs,
                                     const std::vector<SplitProgram>& splits)
{
    std::vector<std::vector<const Segment*>> chains;
    std::vector<WorkOffset> cells;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const auto cell = std::find(cells.begin(), cells.end(), programs[p].cell);
        const std::size_t chain = std::size_t(cell - cells.begin());
        if (cell == cells.end()) {
            cells.push_back(programs[p].cell);
            chains.emplace_back();
        }
        for (const Segment& segment : splits[p].segments)
            chains[chain].push_back(&segment);
    }
    std::vector<std::size_t> next(chains.size(), 0);
    std::vector<const Segment*> order;
    std::optional<std::int64_t> tool;
    while (true) {
        for (bool taken = true; taken && tool;) {
            taken = false;
            for (std::size_t c = 0; c < chains.size(); ++c)
                while (next[c] < chains[c].size() && chains[c][next[c]]->tool == *tool) {
                    order.push_back(chains[c][next[c]++]);
                    taken = true;
                }
        }
        std::map<std::int64_t, std::size_t> waiting;
        for (std::size_t c = 0; c < chains.size(); ++c)
            if (next[c] < chains[c].size())
                ++waiting[chains[c][next[c]]->tool];
        std::optional<std::int64_t> chosen;
        for (std::size_t c = 0; c < chains.size(); ++c)
            if (next[c] < chains[c].size()) {
                const std::int64_t candidate = chains[c][next[c]]->tool;
                if (!chosen || waiting[candidate] > waiting[*chosen])
                    chosen = candidate;
            }
        if (!chosen)
            return order;
        tool = chosen;
    }
}

std::string gCode(int code)
{
    return (code < 10 ? "G0" : "G") + std::to_string(code);
}

// What a restart states before a segment's tool change: the retract, then the modal state its
// own program had there and its cell's offset.
std::vector<std::string> restartHead(const ModalState& state, const WorkOffset& cell,
                                     const std::vector<std::string>& retract)
{
    std::vector<std::string> lines = retract;
    if (state.units)
        lines.push_back(gCode(*state.units));
    std::string modes;
    if (state.plane)
        modes += gCode(*state.plane) + " ";
    modes += "G40 G80";
    for (const std::optional<int>& mode : {state.distance, state.feedMode})
        if (mode)
            modes += " " + gCode(*mode);
    lines.push_back(modes);
    lines.push_back(state.offset ? state.offset->name() : cell.name());
    return lines;
}

// And after it: the state of the tool, as its own program had it after its tool change line.
std::vector<std::string> restartTail(const ModalState& state, bool motion)
{
    std::vector<std::string> lines;
    const auto mCode = [](int code) {
        return "M0" + std::to_string(code);
    };
    std::string spindle;
    if (state.spindleSpeed)
        spindle = "S" + *state.spindleSpeed;
    if (state.spindle)
        spindle += (spindle.empty() ? "" : " ") + mCode(*state.spindle);
    if (!spindle.empty())
        lines.push_back(spindle);
    if (state.coolant)
        lines.push_back(mCode(*state.coolant));
    if (state.lengthCode)
        lines.push_back(gCode(*state.lengthCode) +
                        (state.lengthOffset.empty() ? "" : " H" + state.lengthOffset));
    if (state.feed)
        lines.push_back("F" + *state.feed);
    if (motion && state.motion)
        lines.push_back(gCode(*state.motion));
    return lines;
}

class OrderWriter
{
public:
    OrderWriter(const std::vector<OrderProgram>& programs, OrderedJob& job)
        : m_programs(programs), m_job(job)
    {}

    void written(std::string text)
    {
        m_job.texts.push_back(std::move(text));
        m_job.lines.push_back({m_job.texts.back(), OrderedLine::Origin::Written});
    }
    void program(std::size_t p, std::size_t from, std::size_t to)
    {
        for (std::size_t i = from; i < to; ++i)
            m_job.lines.push_back({m_programs[p].lines[i], OrderedLine::Origin::Program, p, i});
    }

    void segment(const Segment& segment, bool restart, const std::vector<std::string>& retract,
                 std::optional<std::int64_t>& tool)
    {
        const OrderProgram& program = m_programs[segment.program];
        if (restart)
            for (std::string& line : restartHead(segment.before, program.cell, retract))
                written(std::move(line));
        this->program(segment.program, segment.begin, segment.change);
        const std::string_view change = program.lines[segment.change];
        NcLineReader reader(NcLineReader::Dialect::Iso);
        reader.keepWords(true);
        const NcLineFacts facts = reader.read(change);
        if (!restart || tool != segment.tool) {
            // A change that runs the tool called earlier in its own program names it here.
            if (restart && isoToolWords(change, facts.words).runs != segment.tool)
                written("T" + std::to_string(segment.tool));
            this->program(segment.program, segment.change, segment.change + 1);
        } else {
            std::string rest = withoutToolWords(change, facts);
            if (!rest.empty()) {
                m_job.texts.push_back(std::move(rest));
                m_job.lines.push_back({m_job.texts.back(), OrderedLine::Origin::WithoutToolWords,
                                       segment.program, segment.change});
            }
        }
        tool = segment.tool;
        if (restart)
            for (std::string& line : restartTail(segment.afterChange, segment.reliesOnMotion))
                written(std::move(line));
        this->program(segment.program, segment.change + 1, segment.end);
    }

private:
    const std::vector<OrderProgram>& m_programs;
    OrderedJob& m_job;
};

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
    case JobOrder::Given::TooLarge:
        return "too-large";
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
        const std::optional<double> tool =
            word.address == "T" ? wordNumber(line, word) : std::nullopt;
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

OrderedJob orderByTool(const std::vector<OrderProgram>& programs,
                       const std::vector<std::string>& retract,
                       const std::vector<std::string_view>& before,
                       const std::vector<std::string_view>& after)
{
    OrderedJob job;
    JobOrder& record = job.record;
    std::vector<SplitProgram> splits(programs.size());
    for (std::size_t p = 0; p < programs.size(); ++p)
        if (const std::optional<Refusal> refused =
                split(programs[p], p, p + 1 == programs.size(), splits[p])) {
            record.given = refused->reason;
            record.input = programs[p].input;
            if (refused->line < programs[p].lines.size()) {
                record.line = programs[p].numbers[refused->line];
                record.text = std::string(programs[p].lines[refused->line].substr(0, kMaxText));
            }
            return job;
        }

    for (const SplitProgram& split : splits)
        record.toolChangesBefore += split.toolChanges;
    OrderWriter writer(programs, job);
    for (const std::string_view line : before)
        job.lines.push_back({line, OrderedLine::Origin::Written});
    const Segment* previous = nullptr;
    if (!programs.empty())
        writer.program(0, 0, splits[0].segments.front().change);
    std::optional<std::int64_t> tool;
    for (const Segment* segment : schedule(programs, splits)) {
        const bool follows = previous ? previous->program == segment->program &&
                                            previous->number + 1 == segment->number
                                      : segment->program == 0 && segment->number == 0;
        if (!follows)
            ++record.restarts;
        writer.segment(*segment, !follows, retract, tool);
        if (record.runs.empty() || record.runs.back().tool != segment->tool)
            record.runs.push_back({segment->tool, {}});
        const OrderProgram& program = programs[segment->program];
        record.runs.back().segments.push_back(
            {program.input, program.cell, program.numbers[segment->change], !follows});
        previous = segment;
    }
    if (!programs.empty())
        writer.program(programs.size() - 1, splits.back().end, programs.back().lines.size());
    for (const std::string_view line : after)
        job.lines.push_back({line, OrderedLine::Origin::Written});

    proveOrder(programs, job.lines, retract, record);
    return job;
}
