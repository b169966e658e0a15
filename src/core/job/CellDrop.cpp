// What dropping files on a cell adds to the job, and what it refuses.

#include "CellDrop.h"

#include "JobState.h"
#include "core/os/SplitPath.h"
#include "core/os/Utf8Path.h"
#include "core/settings/Settings.h"

#include <filesystem>
#include <optional>

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

bool isFile(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(pathFromUtf8(path), ec);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

} // namespace

int machineFamilyOf(const std::string& path)
{
    return upperExtension(path) == ".NC" ? 0 : 1;
}

void fixMachineFamily(const std::string& firstFile, JobState& state, CSettings& settings)
{
    const std::string extension = upperExtension(firstFile);
    state.m_nMachineFamily = machineFamilyOf(firstFile);
    settings.MachineType = state.m_nMachineFamily;
    if (extension == ".NC")
        settings.m_nOutputType = 1;
    else if (extension == ".I")
        settings.m_nOutputType = 2;
    else if (extension == ".ANC")
        settings.m_nOutputType = 3;
    else if (extension == ".MPF")
        settings.m_nOutputType = 4;
    state.m_strToolListName =
        state.m_nMachineFamily == 0 ? settings.FANUCToolList : settings.HToolList;
    settings.ToolListName = state.m_strToolListName;
}

CellDropOutcome dropFilesOnCell(const std::vector<std::string>& paths, int cell, JobState& state,
                                CSettings& settings)
{
    CellDropOutcome outcome;
    JobList& job = state.m_JobFiles;
    const std::string firstBefore = job.count() > 0 ? job.entries().front().path : std::string();
    const std::vector<std::string> held = job.cellFiles(cell);
    std::optional<std::string> cellExtension;
    if (!held.empty())
        cellExtension = upperExtension(held.front());
    for (const std::string& path : paths) {
        if (path.empty())
            continue;
        if (!isFile(path)) {
            outcome.notFiles.push_back(path);
            continue;
        }
        if (cellExtension && *cellExtension != upperExtension(path)) {
            outcome.otherExtension.push_back(path);
            continue;
        }
        if (job.count() > 0 &&
            machineFamilyOf(job.entries().front().path) != machineFamilyOf(path)) {
            outcome.otherFamily.push_back(path);
            continue;
        }
        if (!job.RegisterJobFile(path, cell)) {
            ++outcome.overCapacity;
            continue;
        }
        cellExtension = cellExtension ? cellExtension : upperExtension(path);
        ++outcome.taken;
    }
    if (job.count() == 0)
        state.m_nMachineFamily = -1;
    else if (job.entries().front().path != firstBefore || state.m_nMachineFamily < 0)
        fixMachineFamily(job.entries().front().path, state, settings);
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
