// What a work-offset cell's hover tip tells, and the work-offset name of a cell.

#include "WorkOffsetTip.h"

#include "core/nc/WorkOffset.h"

#include <algorithm>

namespace {
constexpr std::size_t kListedEntries = 20;
}

std::string workOffsetName(int index, int simens, int itemNameType)
{
    const std::optional<WorkOffset> offset = WorkOffset::ofCell(index, simens, itemNameType);
    return offset ? offset->name() : std::string();
}

WorkOffsetTip workOffsetTip(int index, const std::vector<std::string>& entries, int simens,
                            int itemNameType)
{
    const std::size_t listed = std::min(entries.size(), kListedEntries);
    return {.workOffset = workOffsetName(index, simens, itemNameType),
            .files = entries.size(),
            .listed = {entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(listed)},
            .unlisted = entries.size() - listed};
}
