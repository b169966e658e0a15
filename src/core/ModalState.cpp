#include "ModalState.h"

#include <cmath>
#include <functional>

namespace {

std::string code(char address, int number)
{
    std::string text(1, address);
    if (number < 10)
        text += '0';
    return text + std::to_string(number);
}

// Values as written compare by their number: "300." is "300".
bool sameValue(std::string_view a, std::string_view b)
{
    const std::optional<double> x = ncNumber(a);
    const std::optional<double> y = ncNumber(b);
    return x && y ? std::fabs(*x - *y) < 1e-9 : a == b;
}

std::string joined(std::string_view value)
{
    std::string text(value);
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    return text;
}

} // namespace

std::optional<std::string> modalDifference(const ModalState& expected, const ModalState& actual)
{
    std::optional<std::string> difference;
    const auto compare = [&](bool known, bool same, const std::function<std::string(bool)>& text) {
        if (!difference && known && !same)
            difference = text(true) + ", " + text(false);
    };
    const auto gCompare = [&](const std::optional<int>& want, const std::optional<int>& have) {
        compare(want.has_value(), want == have, [&](bool e) {
            return e ? code('G', *want) : have ? code('G', *have) : "-";
        });
    };
    gCompare(expected.units, actual.units);
    gCompare(expected.distance, actual.distance);
    gCompare(expected.plane, actual.plane);
    compare(expected.offset.has_value(), expected.offset == actual.offset, [&](bool e) {
        return e ? expected.offset->name() : actual.offset ? actual.offset->name() : "-";
    });
    gCompare(expected.feedMode, actual.feedMode);
    gCompare(expected.motion, actual.motion);
    gCompare(expected.cycle, actual.cycle);
    const auto offsetText = [](const std::optional<int>& code_, const std::string& value,
                               char address) {
        if (!code_)
            return std::string("-");
        return code('G', *code_) + (value.empty() ? "" : " " + std::string(1, address) + value);
    };
    compare(expected.compensation.has_value(),
            expected.compensation == actual.compensation &&
                sameValue(expected.radiusOffset, actual.radiusOffset),
            [&](bool e) {
                return e ? offsetText(expected.compensation, expected.radiusOffset, 'D')
                         : offsetText(actual.compensation, actual.radiusOffset, 'D');
            });
    compare(expected.lengthCode.has_value(),
            expected.lengthCode == actual.lengthCode &&
                sameValue(expected.lengthOffset, actual.lengthOffset),
            [&](bool e) {
                return e ? offsetText(expected.lengthCode, expected.lengthOffset, 'H')
                         : offsetText(actual.lengthCode, actual.lengthOffset, 'H');
            });
    const auto valueCompare = [&](const std::optional<std::string>& want,
                                  const std::optional<std::string>& have, char address) {
        compare(want.has_value(), want && have && sameValue(*want, *have), [&](bool e) {
            return e ? address + *want : have ? address + *have : "-";
        });
    };
    valueCompare(expected.spindleSpeed, actual.spindleSpeed, 'S');
    const auto mCompare = [&](const std::optional<int>& want, const std::optional<int>& have) {
        compare(want.has_value(), want == have, [&](bool e) {
            return e ? code('M', *want) : have ? code('M', *have) : "-";
        });
    };
    mCompare(expected.spindle, actual.spindle);
    mCompare(expected.coolant, actual.coolant);
    valueCompare(expected.feed, actual.feed, 'F');
    compare(expected.tool.has_value(), expected.tool == actual.tool, [&](bool e) {
        return e             ? "T" + std::to_string(*expected.tool)
               : actual.tool ? "T" + std::to_string(*actual.tool)
                             : "-";
    });
    return difference;
}

ModalLine ModalTracker::read(std::string_view line, const NcLineFacts& facts)
{
    ModalLine read;
    read.move = facts.has(NcLineFacts::AxisMove);
    const IsoToolWords call = isoToolWords(line, facts.words);
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
    bool motionCode = false;
    for (const NcWord& word : facts.words) {
        if (word.computed) {
            read.computed = true;
            continue;
        }
        const std::optional<double> number = wordNumber(line, word);
        if (!number)
            continue;
        const std::string& address = word.address;
        if (address == "G") {
            const auto tenths = static_cast<int>(std::lround(*number * 10));
            const bool motion = tenths >= 0 && tenths <= 30 && tenths % 10 == 0;
            const bool cycle = tenths == 730 || tenths == 740 || tenths == 760 ||
                               (tenths >= 810 && tenths <= 890 && tenths % 10 == 0);
            motionCode = motionCode || motion || cycle;
            read.setsMotion = read.setsMotion || motion;
            gCode(tenths, line, facts.words);
        } else if (address == "M") {
            const double m = *number;
            if (m == 3 || m == 4 || m == 5)
                m_state.spindle = int(m);
            else if (m == 7 || m == 8 || m == 9)
                m_state.coolant = int(m);
        } else if (address == "S") {
            m_state.spindleSpeed = joined(wordValue(line, word));
        } else if (address == "F") {
            m_state.feed = joined(wordValue(line, word));
        }
    }
    for (const NcLineFacts::OffsetSelection& selection : facts.offsets)
        if (selection.offset)
            m_state.offset = selection.offset;
    read.reliesOnMotion = read.move && !motionCode;
    return read;
}

void ModalTracker::gCode(int tenths, std::string_view line, const std::vector<NcWord>& words)
{
    // The H or D a line writes with its offset code.
    const auto wordOf = [&](std::string_view address) {
        for (const NcWord& word : words)
            if (word.address == address && !word.computed)
                return joined(wordValue(line, word));
        return std::string();
    };
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
        break;
    case 49:
        m_state.lengthCode = 49;
        m_state.lengthOffset.clear();
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
    default:
        break;
    }
}
