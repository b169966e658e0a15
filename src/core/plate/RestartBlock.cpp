// The lines of a restart block: the retract, the modal state restated, the tool brought back.

#include "RestartBlock.h"

namespace {

std::string gCode(int code)
{
    return (code < 10 ? "G0" : "G") + std::to_string(code);
}

} // namespace

std::vector<std::string> restartHead(const ModalState& state, const WorkOffset& cell,
                                     const std::vector<std::string>& retract,
                                     const JobGroups& groups)
{
    std::vector<std::string> lines = retract;
    if (state.units)
        lines.push_back(gCode(*state.units));
    // A length offset is cancelled only where the program had cancelled it: cancelling another
    // tool's moves Z on the next move on some controls.
    std::string modes =
        gCode(state.plane.value_or(17)) + " G40" + (state.lengthCode == 49 ? " G49" : "") +
        " G80 " + gCode(state.distance.value_or(90)) + " " + gCode(state.feedMode.value_or(94));
    if (state.returnPlane)
        modes += " " + gCode(*state.returnPlane);
    if (state.cuttingMode || groups.cuttingMode)
        modes += " " + gCode(state.cuttingMode.value_or(64));
    if (state.spindleMode || groups.spindleMode)
        modes += " " + gCode(state.spindleMode.value_or(97));
    lines.push_back(modes);
    lines.push_back(state.offset ? state.offset->name() : cell.name());
    return lines;
}

std::vector<std::string> restartTail(const Segment& segment)
{
    std::vector<std::string> lines;
    const auto mCode = [](int code) {
        return "M0" + std::to_string(code);
    };
    const ModalState& move = segment.atFirstMove;
    const int spindle = move.spindle.value_or(5);
    if (spindle != 5 && move.spindleSpeed)
        lines.push_back("S" + *move.spindleSpeed + " " + mCode(spindle));
    else
        lines.push_back(mCode(spindle));
    // Off first, for mist and flood are apart and the one not wanted may be on; M07 and M08 on
    // lines of their own, one modal group on some controls.
    lines.push_back("M09");
    const int coolant = move.coolant.value_or(0);
    if (coolant & ModalState::kMist)
        lines.push_back("M07");
    if (coolant & ModalState::kFlood)
        lines.push_back("M08");
    const ModalState& cut = segment.atFirstCut;
    if (segment.cuts && !segment.ownLengthOffset && ownLengthOffset(cut)) {
        lines.push_back("G00 X" + ncDecimal(*cut.position.x, 4) + " Y" +
                        ncDecimal(*cut.position.y, 4));
        lines.push_back(gCode(*cut.lengthCode) +
                        (cut.lengthOffset.empty() ? "" : " H" + cut.lengthOffset) + " Z" +
                        ncDecimal(*cut.position.z, 4));
    }
    if (segment.reliesOnFeed && cut.feed)
        lines.push_back("F" + *cut.feed);
    if (segment.reliesOnMotion && segment.motion)
        lines.push_back(gCode(*segment.motion));
    return lines;
}
