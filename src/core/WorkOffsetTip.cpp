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
    WorkOffsetTip tip;
    tip.title = "번호: " + workOffsetName(index, simens, itemNameType) + " (" +
                std::to_string(entries.size()) + " files)";
    const std::size_t listed = std::min(entries.size(), kListedEntries);
    for (std::size_t i = 0; i < listed; ++i) {
        if (i > 0)
            tip.body += '\n';
        tip.body += entries[i];
    }
    if (entries.size() > kListedEntries)
        tip.body += "\n\nMore " + std::to_string(entries.size() - kListedEntries) + " files...";
    return tip;
}
