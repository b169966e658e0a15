#include "WorkOffsetTip.h"

#include <algorithm>

namespace {
constexpr std::size_t kListedEntries = 20;
}

std::string workOffsetName(int index, int simens, int itemNameType)
{
    if (simens == 1 && itemNameType == 0)
        return "G" + std::to_string(index + 511);
    if (index < 6)
        return "G" + std::to_string(index + 54);
    return "G54.1P" + std::to_string(index - 5);
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
