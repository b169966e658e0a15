#include "CellDrop.h"

#include "JobList.h"
#include "Settings.h"
#include "SplitPath.h"
#include "Utf8Path.h"

#include <filesystem>

namespace {

// Only ASCII letters change case: the rest may be bytes of a multi-byte character.
std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string upperExtension(const std::string& path)
{
    return upperAscii(SplitPath(path).extension);
}

// The extension of the file an entry stands for. The position in front is cut first: its dot
// would otherwise count as the extension's of a file that has none.
std::string entryExtension(const std::string& entry)
{
    const auto name = entry.find(". ");
    return upperExtension(name == std::string::npos ? entry : entry.substr(name + 2));
}

bool isFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(pathFromUtf8(path), ec);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

void fixMachineFamily(const std::string& extension, DropContext& context)
{
    CSettings& settings = context.settings;
    const bool fanuc = extension == ".NC";
    context.machineFamily = fanuc ? 0 : 1;
    settings.MachineType = context.machineFamily;
    if (fanuc)
        settings.m_nOutputType = 1;
    else if (extension == ".I")
        settings.m_nOutputType = 2;
    else if (extension == ".ANC")
        settings.m_nOutputType = 3;
    else if (extension == ".MPF")
        settings.m_nOutputType = 4;
    context.toolListName = fanuc ? settings.FANUCToolList : settings.HToolList;
    settings.ToolListName = context.toolListName;
}

} // namespace

CellDropOutcome dropFilesOnCell(const std::vector<std::string>& paths,
                                std::vector<std::string>& entries, DropContext context)
{
    CellDropOutcome outcome;
    for (std::size_t position = 0; position < paths.size(); ++position) {
        const std::string& path = paths[position];
        if (path.empty())
            continue;
        if (!isFile(path)) {
            outcome.notFiles.push_back(path);
            continue;
        }
        const std::string extension = upperExtension(path);
        if (!entries.empty() && entryExtension(entries.front()) != extension) {
            outcome.otherExtension.push_back(path);
            continue;
        }
        if (context.jobs.freePlaces() == 0) {
            ++outcome.overCapacity;
            continue;
        }
        if (position == 0 && context.machineFamily < 0)
            fixMachineFamily(extension, context);
        context.jobs.RegisterJobFile(path);
        entries.push_back(displayEntry(static_cast<int>(entries.size()) + 1, path));
        ++outcome.taken;
    }
    if (outcome.taken == 0)
        context.machineFamily = -1;
    return outcome;
}

std::string displayEntry(int position, const std::string& path)
{
    const SplitPathResult parts = SplitPath(path);
    return std::to_string(position) + ". " + parts.name + upperAscii(parts.extension);
}

std::string cellText(const std::vector<std::string>& entries)
{
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += entries[i];
    }
    return text;
}
