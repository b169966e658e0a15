#pragma once

// The restart block that stands before a segment run apart from its own program.

#include "ProgramSplitter.h"
#include "core/nc/ModalState.h"
#include "core/nc/WorkOffset.h"

#include <string>
#include <vector>

// Groups whose state a program may leave to the control at power on, where another program of
// the job sets them: a restart states the power-on state.
struct JobGroups
{
    bool spindleMode = false;
    bool cuttingMode = false;
};

// What a restart states before a segment's tool change: the retract, then the modal state its
// own program had there, the groups it did not set at their power-on state, and its cell's
// offset. Nothing of the tool that ran before.
std::vector<std::string> restartHead(const ModalState& state, const WorkOffset& cell,
                                     const std::vector<std::string>& retract,
                                     const JobGroups& groups);
// And after it: the spindle and coolant as the segment's first move runs them, off included;
// the length offset with the move to where its tool cuts first, unless the segment's own lines
// command it; the feed and the motion mode where a move relies on them.
std::vector<std::string> restartTail(const Segment& segment);
