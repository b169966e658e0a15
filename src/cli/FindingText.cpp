#include "FindingText.h"

// Sentences for people reading the output; scripts may read the rule's key instead.
const char* findingReason(SeamRule rule)
{
    switch (rule) {
    case SeamRule::ProgramEndInside:
        return "program end kept before the last file";
    case SeamRule::TapeMarkInside:
        return "\"%\" line kept inside the program";
    case SeamRule::ToolChangeCut:
        return "tool change cut";
    case SeamRule::WorkOffsetCut:
        return "work offset selection cut";
    case SeamRule::SpindleStartCut:
        return "spindle start cut";
    case SeamRule::LengthOffsetCut:
        return "tool length offset call cut";
    case SeamRule::CoolantCut:
        return "coolant on cut";
    case SeamRule::ProgramNumberInside:
        return "program number kept inside the program";
    case SeamRule::MoveCut:
        return "move cut";
    case SeamRule::CallCut:
        return "subprogram call or jump cut";
    case SeamRule::CalledLabelCut:
        return "label cut that a kept line still calls";
    case SeamRule::ReturnInside:
        return "subprogram return (M99) kept before the last file";
    case SeamRule::ControlBytes:
        return "control byte that no NC program holds";
    case SeamRule::ProgramNameDiffers:
        return "program ends under another name than it begins with";
    case SeamRule::InputShort:
        return "left out: no more content lines than the cuts take";
    case SeamRule::InputUnreadable:
        return "left out: cannot be read";
    case SeamRule::InputNotRegular:
        return "left out: not a regular file";
    case SeamRule::NotAllChecked:
        return "too many lines cut or noted: the checks saw the first ten thousand";
    case SeamRule::OffsetsDiffer:
        return "program selects more than one work offset: it cannot be placed";
    case SeamRule::OffsetNotPlaced:
        return "work offset selection that placement cannot rewrite";
    case SeamRule::OffsetLineTooLong:
        return "line too long for placement to rewrite or put the cell's offset before";
    case SeamRule::OffsetShift:
        return "program writes or shifts work offsets itself (G10, G52, G92)";
    case SeamRule::HeidenhainMoved:
        return "Heidenhain program keeps its own datum: it may stand only at the first offset";
    case SeamRule::OffsetDiffersFromCell:
        return "program selects another work offset than its place";
    case SeamRule::ToolListUnreadable:
        return "tool list cannot be read: the tools went unchecked";
    case SeamRule::ToolNotInList:
        return "tool not in the machine's tool list";
    case SeamRule::ToolSpindleDiffers:
        return "spindle speed other than the tool list's";
    case SeamRule::ToolFeedDiffers:
        return "main cutting feed other than the tool list's";
    case SeamRule::ToolOffsetNumber:
        return "offset number other than the tool's";
    case SeamRule::ToolCoolantDiffers:
        return "coolant other than the tool list's";
    case SeamRule::ToolNotMeasured:
        return "tool the list marks not measured";
    case SeamRule::ToolLengthDeltaDiffers:
        return "DL other than the tool list's";
    case SeamRule::ToolsNotAllRead:
        return "a line too long to be read for its tools: not all were checked";
    case SeamRule::ToolListRowShifted:
        return "tool list row with an empty value before a set one: the values after it read "
               "one column to the left";
    case SeamRule::ToolListDuplicate:
        return "tool listed twice in the tool list: the first row counts";
    case SeamRule::ToolListTooLong:
        return "tool list too long: the rows past the first 100000 were not read";
    case SeamRule::ToolFeedNotApplied:
        return "feeds from the tool list (mm/min) not applied: the program is not in G21 and G94";
    case SeamRule::ToolSpeedChangedMuch:
        return "speed from the tool list more than double or less than half the program's";
    case SeamRule::ToolSpeedNotChanged:
        return "speed from the tool list not written: the line was too long to change";
    case SeamRule::OrderKeptGiven:
        return "not ordered by tool: the given order is kept";
    case SeamRule::OrderLineLost:
        return "ordered by tool: a line of the program is missing";
    case SeamRule::OrderLineAltered:
        return "ordered by tool: a line of the program is changed";
    case SeamRule::OrderOutOfOrder:
        return "ordered by tool: a line runs out of its cell's order";
    case SeamRule::OrderStateDiffers:
        return "ordered by tool: a move runs under another modal state than in its program";
    case SeamRule::OrderRetractMissing:
        return "ordered by tool: no retract between moves at two work offsets";
    case SeamRule::OrderToolChangeRepeated:
        return "ordered by tool: tool change to the tool already in the spindle";
    case SeamRule::OrderRestartLine:
        return "ordered by tool: a restart block holds a line that must not stand there";
    case SeamRule::SpindleStopCut:
        return "spindle stop cut: the spindle runs on into the next program";
    case SeamRule::CoolantOffCut:
        return "coolant off cut: the coolant stays on into the next program";
    }
    return "";
}

std::string fileErrorText(const FileError& error)
{
    switch (error.cause) {
    case FileError::Cause::None:
        return {};
    case FileError::Cause::System:
        return error.code.message();
    case FileError::Cause::NotRegularFile:
        return "not a regular file";
    case FileError::Cause::ChangedSincePlan:
        return "changed since the plan";
    case FileError::Cause::ChangedWhileRead:
        return "changed while it was read";
    case FileError::Cause::NameNotAllowed:
        return "Windows cannot name a file that ends with a dot or a blank";
    case FileError::Cause::NoTemporaryName:
        return "no free temporary name in its folder";
    case FileError::Cause::TooLarge:
        return "too large";
    case FileError::Cause::Cancelled:
        return "cancelled";
    }
    return {};
}
