#pragma once

#include "core/NcMerge.h"

#include <functional>

class QWidget;

// Runs a merge, or its plan, on a thread of its own while the window stays responsive. Once
// the work has run for half a second its progress shows, with Cancel.
class BackgroundMerge
{
public:
    using Work = std::function<MergeReport(const MergeProgress& progress)>;

    static MergeReport run(QWidget* owner, const Work& work);
};
