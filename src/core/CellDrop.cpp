#include "CellDrop.h"

#include "JobState.h"
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

} // namespace

void fixMachineFamily(const std::string& firstFile, JobState& state, CSettings& settings)
{
    const std::string extension = upperExtension(firstFile);
    const bool fanuc = extension == ".NC";
    state.m_nMachineFamily = fanuc ? 0 : 1;
    settings.MachineType = state.m_nMachineFamily;
    if (fanuc)
        settings.m_nOutputType = 1;
    else if (extension == ".I")
        settings.m_nOutputType = 2;
    else if (extension == ".ANC")
        settings.m_nOutputType = 3;
    else if (extension == ".MPF")
        settings.m_nOutputType = 4;
    state.m_strToolListName = fanuc ? settings.FANUCToolList : settings.HToolList;
    settings.ToolListName = state.m_strToolListName;
}

CellDropOutcome dropFilesOnCell(const std::vector<std::string>& paths, int cell, JobState& state,
                                CSettings& settings)
{
    CellDropOutcome outcome;
    std::vector<std::string>& entries = state.document().GetCellFiles().at(cell);
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
        if (state.m_JobFiles.freePlaces() == 0) {
            ++outcome.overCapacity;
            continue;
        }
        if (position == 0 && state.m_nMachineFamily < 0)
            fixMachineFamily(path, state, settings);
        state.m_JobFiles.RegisterJobFile(path);
        entries.push_back(displayEntry(static_cast<int>(entries.size()) + 1, path));
        ++outcome.taken;
    }
    if (outcome.taken == 0)
        state.m_nMachineFamily = -1;
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
