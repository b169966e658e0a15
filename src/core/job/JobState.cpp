// What one run of the program works on: the job, what its first file fixed, the tool list.

#include "JobState.h"

#include "core/os/Utf8Path.h"

#include <algorithm>
#include <filesystem>

namespace {

bool hasToolListExtension(const std::filesystem::path& file)
{
    std::string extension = utf8FromPath(file.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return extension == ".tlist";
}

} // namespace

ToolListReadResult JobState::LoadToolList()
{
    ToolListReadResult list = ReadToolList(toolListPath(m_strToolListName), kMaxTools);
    if (list.read)
        m_ToolTable = list.tools;
    return list;
}

std::string JobState::toolListPath(const std::string& name) const
{
    return m_strToolListFolder + '/' + name;
}

std::vector<std::string> JobState::toolListFiles() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator entry(pathFromUtf8(m_strToolListFolder), ec), end;
         !ec && entry != end; entry.increment(ec)) {
        if (entry->is_regular_file(ec) && hasToolListExtension(entry->path()))
            names.push_back(utf8FromPath(entry->path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}
