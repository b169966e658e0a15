// The modal state of an ISO program, line by line, and how two states differ.

#include "ModalState.h"

#include <cmath>
#include <functional>

namespace {

std::string code(char address, int number)
{
    if (address == 'G' && number >= 500) // a code with a decimal, in tenths
        return "G" + std::to_string(number / 10) + "." + std::to_string(number % 10);
    std::string text(1, address);
    if (number < 10)
        text += '0';
    return text + std::to_string(number);
}

std::string joined(std::string_view value)
{
    std::string text(value);
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    return text;
}

// A length offset as a move runs under it: the code, its H, and whether it was commanded for the
// tool in the spindle.
struct LengthOffset
{
    std::optional<int> gCode;
    std::string_view value; // of the state it was made of
    bool stale = false;

    explicit LengthOffset(const ModalState& state)
        : gCode(state.lengthCode), value(state.lengthOffset),
          stale((state.lengthCode == 43 || state.lengthCode == 44) && !ownLengthOffset(state))
    {}
    bool active() const { return gCode == 43 || gCode == 44; }
    bool operator==(const LengthOffset& other) const
    {
        return gCode == other.gCode && stale == other.stale && sameNcValue(value, other.value);
    }
    std::string text() const
    {
        if (!gCode)
            return "-";
        return code('G', *gCode) + (value.empty() ? "" : " H" + std::string(value)) +
               (stale ? " (stale)" : "");
    }
};

// Compares two states group by group; the first group that differs is the difference, as its
// own program's value, then the other's ("F300., F500.").
class StateComparison
{
public:
    StateComparison(const ModalState& expected, const ModalState& actual)
        : m_expected(expected), m_actual(actual)
    {}

    void groups();
    void offsets(bool movesZ);
    void spindleFeedAndTool(MoveKind move);
    const std::optional<std::string>& difference() const { return m_difference; }

private:
    template <typename Text> void compare(bool known, bool same, const Text& text)
    {
        if (!m_difference && known && !same)
            m_difference = text(true) + ", " + text(false);
    }
    void codes(char letter, const std::optional<int>& want, const std::optional<int>& have)
    {
        compare(want.has_value(), want == have, [&](bool e) {
            return e ? code(letter, *want) : have ? code(letter, *have) : "-";
        });
    }
    void values(const std::optional<std::string>& want, const std::optional<std::string>& have,
                char address)
    {
        compare(want.has_value(), want && have && sameNcValue(*want, *have), [&](bool e) {
            return e ? address + *want : have ? address + *have : "-";
        });
    }

    const ModalState& m_expected;
    const ModalState& m_actual;
    std::optional<std::string> m_difference;
};

void StateComparison::groups()
{
    const ModalState& e = m_expected;
    const ModalState& a = m_actual;
    codes('G', e.units, a.units);
    codes('G', e.distance, a.distance);
    codes('G', e.plane, a.plane);
    compare(e.offset.has_value(), e.offset == a.offset, [&](bool want) {
        return want ? e.offset->name() : a.offset ? a.offset->name() : "-";
    });
    codes('G', e.feedMode, a.feedMode);
    codes('G', e.motion, a.motion);
    codes('G', e.cycle, a.cycle);
    codes('G', e.returnPlane, a.returnPlane);
    codes('G', e.spindleMode, a.spindleMode);
    codes('G', e.cuttingMode, a.cuttingMode);
    // Frames and modal calls a program never chose are off, as every control starts them.
    codes('G', e.scaling.value_or(50), a.scaling.value_or(50));
    codes('G', e.rotation.value_or(69), a.rotation.value_or(69));
    codes('G', e.polar.value_or(15), a.polar.value_or(15));
    codes('G', e.mirror.value_or(501), a.mirror.value_or(501));
    codes('G', e.macroCall.value_or(67), a.macroCall.value_or(67));
}

void StateComparison::offsets(bool movesZ)
{
    const auto offsetText = [](const std::optional<int>& code_, const std::string& value,
                               char address) {
        if (!code_)
            return std::string("-");
        return code('G', *code_) + (value.empty() ? "" : " " + std::string(1, address) + value);
    };
    compare(m_expected.compensation.has_value(),
            m_expected.compensation == m_actual.compensation &&
                sameNcValue(m_expected.radiusOffset, m_actual.radiusOffset),
            [&](bool e) {
                return e ? offsetText(m_expected.compensation, m_expected.radiusOffset, 'D')
                         : offsetText(m_actual.compensation, m_actual.radiusOffset, 'D');
            });
    const LengthOffset want(m_expected);
    const LengthOffset have(m_actual);
    // Where Z stays, the offset does not move the tool: any the spindle's tool may have.
    const bool wantOwn = want.active() && !want.stale;
    const bool same =
        wantOwn ? want == have : !movesZ || want == have || (!want.active() && !have.active());
    compare(want.gCode.has_value() || have.active(), same,
            [&](bool e) { return e ? want.text() : have.text(); });
}

void StateComparison::spindleFeedAndTool(MoveKind move)
{
    values(m_expected.spindleSpeed, m_actual.spindleSpeed, 'S');
    codes('M', m_expected.spindle, m_actual.spindle);
    // Coolant never turned on is off.
    const int wantCoolant = m_expected.coolant.value_or(0);
    const int haveCoolant = m_actual.coolant.value_or(0);
    compare(true, wantCoolant == haveCoolant,
            [&](bool e) { return coolantCodes(e ? wantCoolant : haveCoolant); });
    if (move == MoveKind::Feed)
        values(m_expected.feed, m_actual.feed, 'F');
    compare(m_expected.tool.has_value(), m_expected.tool == m_actual.tool, [&](bool e) {
        return e               ? "T" + std::to_string(*m_expected.tool)
               : m_actual.tool ? "T" + std::to_string(*m_actual.tool)
                               : "-";
    });
}

} // namespace

std::optional<std::string> modalDifference(const ModalState& expected, const ModalState& actual,
                                           MoveKind move, bool movesZ)
{
    StateComparison comparison(expected, actual);
    comparison.groups();
    comparison.offsets(movesZ);
    comparison.spindleFeedAndTool(move);
    return comparison.difference();
}

// A tool change runs the tool its line names, else the one called last.
void ModalTracker::toolWords(std::string_view line, const std::vector<NcWord>& words,
                             ModalLine& read)
{
    const IsoToolWords call = isoToolWords(line, words);
    if (call.change) {
        read.toolChange = true;
        if (call.runs)
            m_state.calledTool = call.runs;
        read.changedTo = m_state.calledTool;
        m_state.tool = m_state.calledTool;
        m_state.calledTool.reset();
        m_state.spindle = 5; // the spindle stops for a tool change
    }
    if (call.calls)
        m_state.calledTool = call.calls;
}

void ModalTracker::mCode(double m)
{
    if (m == 3 || m == 4 || m == 5)
        m_state.spindle = int(m);
    else if (m == 7 || m == 8)
        m_state.coolant =
            m_state.coolant.value_or(0) | (m == 7 ? ModalState::kMist : ModalState::kFlood);
    else if (m == 9)
        m_state.coolant = 0;
}

ModalLine ModalTracker::read(std::string_view line, const NcLineFacts& facts)
{
    ModalLine read;
    read.move = facts.has(NcLineFacts::AxisMove);
    toolWords(line, facts.words, read);
    bool motionCode = false;
    bool machineCoordinates = false;
    for (const NcWord& word : facts.words) {
        const char address = word.letter();
        read.axisZ = read.axisZ || address == 'Z';
        if (word.computed) {
            // A computed position is only unknown; a computed code or value cannot be restated.
            read.computed = read.computed ||
                            std::string_view("GMTSFHD").find(address) != std::string_view::npos;
            continue;
        }
        // Positions are the follower's; T, H and D are read with their codes.
        if (address != 'G' && address != 'M' && address != 'S' && address != 'F')
            continue;
        const std::optional<double> number = wordNumber(line, word);
        if (!number)
            continue;
        if (address == 'G') {
            const auto tenths = static_cast<int>(std::lround(*number * 10));
            const bool motion = tenths >= 0 && tenths <= 30 && tenths % 10 == 0;
            const bool cycle = tenths == 730 || tenths == 740 || tenths == 760 ||
                               (tenths >= 810 && tenths <= 890 && tenths % 10 == 0);
            motionCode = motionCode || motion || cycle;
            read.setsMotion = read.setsMotion || motion;
            machineCoordinates = machineCoordinates || tenths == 280 || tenths == 300 ||
                                 tenths == 530 || tenths == 290;
            gCode(tenths, line, facts.words, read);
        } else if (address == 'M') {
            mCode(*number);
        } else {
            // Most blocks repeat the value they run under: only a new one is copied.
            std::optional<std::string>& value =
                address == 'S' ? m_state.spindleSpeed : m_state.feed;
            const std::string_view written = wordValue(line, word);
            if (!value || *value != written)
                value = joined(written);
            read.setsFeed = read.setsFeed || address == 'F';
        }
    }
    for (const NcLineFacts::OffsetSelection& selection : facts.offsets)
        if (selection.offset)
            m_state.offset = selection.offset;
    read.reliesOnMotion = read.move && !motionCode;
    const bool cycleActive = m_state.cycle && *m_state.cycle != 80;
    read.feeds = read.move && (cycleActive || (m_state.motion && *m_state.motion != 0));
    follow(line, facts, machineCoordinates);
    return read;
}

// The position after the line: absolute coordinates are where the tool goes; a cycle ends at
// its initial level (G98) or its R plane (G99).
void ModalTracker::follow(std::string_view line, const NcLineFacts& facts, bool machineCoordinates)
{
    ToolPosition& position = m_state.position;
    const std::optional<double> zBefore = position.z;
    std::optional<double> r;
    bool axes = false;
    for (const NcWord& word : facts.words) {
        const char address = word.letter();
        std::optional<double>* axis = address == 'X'   ? &position.x
                                      : address == 'Y' ? &position.y
                                      : address == 'Z' ? &position.z
                                                       : nullptr;
        if (!axis && address != 'R')
            continue;
        axes = true;
        const std::optional<double> value = word.computed ? std::nullopt : wordNumber(line, word);
        if (address == 'R') {
            r = value;
            continue;
        }
        // A return to the reference or machine position leaves its axes where the machine has
        // them; an incremental move where the last one was.
        const bool known = value && !machineCoordinates && m_state.distance != 91;
        *axis = known ? value : std::nullopt;
    }
    if (!axes || machineCoordinates)
        return;
    // A cycle's Z is its depth: the tool returns to the level it came from, or to R.
    const bool cycleActive = m_state.cycle && *m_state.cycle != 80;
    if (cycleActive && facts.has(NcLineFacts::AxisMove)) {
        if (r)
            m_cycleR = r;
        if (m_state.returnPlane == 99 && m_state.distance != 91)
            position.z = m_cycleR;
        else if (m_state.returnPlane == 98)
            position.z = zBefore;
        else
            position.z.reset(); // the control's own default
    }
}

void ModalTracker::gCode(int tenths, std::string_view line, const std::vector<NcWord>& words,
                         ModalLine& read)
{
    // The H or D a line writes with its offset code.
    const auto wordOf = [&](std::string_view address) {
        for (const NcWord& word : words)
            if (word.address == address && !word.computed)
                return joined(wordValue(line, word));
        return std::string();
    };
    switch (tenths) {
    case 501:
    case 511:
        m_state.mirror = tenths;
        if (tenths == 511)
            read.unrestatable = tenths;
        return;
    default:
        break;
    }
    if (tenths % 10 != 0)
        return;
    switch (const int g = tenths / 10) {
    case 0:
    case 1:
    case 2:
    case 3:
        m_state.motion = g;
        m_state.cycle = 80; // a motion code ends a canned cycle
        break;
    case 15:
    case 16:
        m_state.polar = g;
        break;
    case 17:
    case 18:
    case 19:
        m_state.plane = g;
        break;
    case 20:
    case 21:
        m_state.units = g;
        break;
    case 40:
        m_state.compensation = 40;
        m_state.radiusOffset.clear();
        break;
    case 41:
    case 42:
        m_state.compensation = g;
        m_state.radiusOffset = wordOf("D");
        break;
    case 43:
    case 44:
        m_state.lengthCode = g;
        m_state.lengthOffset = wordOf("H");
        m_state.lengthTool = m_state.tool;
        read.setsLengthOffset = true;
        break;
    case 49:
        m_state.lengthCode = 49;
        m_state.lengthOffset.clear();
        m_state.lengthTool.reset();
        break;
    case 50:
    case 51:
        m_state.scaling = g;
        break;
    case 61:
    case 62:
    case 63:
    case 64:
        m_state.cuttingMode = g;
        break;
    case 66:
    case 67:
        m_state.macroCall = g;
        break;
    case 68:
    case 69:
        m_state.rotation = g;
        break;
    case 73:
    case 74:
    case 76:
    case 80:
    case 81:
    case 82:
    case 83:
    case 84:
    case 85:
    case 86:
    case 87:
    case 88:
    case 89:
        m_state.cycle = g;
        break;
    case 90:
    case 91:
        m_state.distance = g;
        break;
    case 93:
    case 94:
    case 95:
        m_state.feedMode = g;
        break;
    case 96:
    case 97:
        m_state.spindleMode = g;
        break;
    case 98:
    case 99:
        m_state.returnPlane = g;
        break;
    default:
        break;
    }
    if (tenths == 160 || tenths == 510 || tenths == 680)
        read.unrestatable = tenths;
}

std::string coolantCodes(int coolant)
{
    if (coolant == 0)
        return "M09";
    const std::string mist = coolant & ModalState::kMist ? "M07" : "";
    const std::string flood = coolant & ModalState::kFlood ? "M08" : "";
    return mist + (mist.empty() || flood.empty() ? "" : " ") + flood;
}

bool ownLengthOffset(const ModalState& state)
{
    return (state.lengthCode == 43 || state.lengthCode == 44) && state.lengthTool == state.tool;
}

bool sameNcValue(std::string_view a, std::string_view b)
{
    if (a == b) // as most compared values are: no numbers to read
        return true;
    const std::optional<double> x = ncNumber(a);
    const std::optional<double> y = ncNumber(b);
    return x && y ? std::fabs(*x - *y) < 1e-9 : a == b;
}
