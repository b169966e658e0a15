#include "TempFolder.h"

#include "TestPaths.h"
#include "core/os/Utf8Path.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

TempFolder::TempFolder()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate =
            std::filesystem::temp_directory_path() / ("corvane-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder");
}

TempFolder::~TempFolder()
{
    // Tests take rights away from files and folders; give them back so that all can go.
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(m_path, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

std::string TempFolder::file(std::string_view name) const
{
    return utf8FromPath(m_path / pathFromUtf8(name));
}

std::string TempFolder::write(std::string_view name, std::string_view bytes) const
{
    const std::string target = file(name);
    std::ofstream out(pathFromUtf8(target), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + target);
    return target;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> sortedFiles(const std::filesystem::path& folder, bool recursive)
{
    std::vector<std::string> files;
    const auto add = [&](const std::filesystem::directory_entry& entry) {
        if (entry.is_regular_file())
            files.push_back(utf8FromPath(entry.path()));
    };
    if (recursive)
        std::for_each(std::filesystem::recursive_directory_iterator(folder), {}, add);
    else
        std::for_each(std::filesystem::directory_iterator(folder), {}, add);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> caseInputs(const std::filesystem::path& folder)
{
    std::vector<std::string> inputs = sortedFiles(folder);
    std::erase_if(inputs, [](const std::string& file) {
        return !std::filesystem::path(file).filename().string().starts_with("in");
    });
    return inputs;
}

std::vector<std::string> goldenCases(const std::string& kind)
{
    std::vector<std::string> names;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(CORVANE_TEST_DATA_DIR) / kind, missing))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string caseTestName(std::string folder)
{
    std::replace(folder.begin(), folder.end(), '-', '_');
    return folder;
}

MergeRequest caseRequest(const std::filesystem::path& folder,
                         const std::function<void(const std::string& key)>& other)
{
    MergeRequest request;
    request.inputs = caseInputs(folder);
    request.cells.resize(request.inputs.size());
    std::ifstream options(folder / "options");
    for (std::string line; std::getline(options, line);) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (key == "top") {
            words >> request.delUp;
        } else if (key == "bottom") {
            words >> request.delBtm;
        } else if (key == "at") {
            std::size_t input = 0;
            std::string name;
            words >> input >> name;
            const std::optional<WorkOffset> offset = WorkOffset::fromName(name);
            if (!offset || input < 1 || input > request.inputs.size())
                throw std::runtime_error("bad option: " + line);
            request.cells[input - 1] = MergeRequest::Cell{*offset, offset->name() == "G54"};
        } else if (!key.empty()) {
            other(key);
        }
    }
    return request;
}

std::string describeFindings(const std::vector<SeamFinding>& findings)
{
    std::string text;
    for (const SeamFinding& finding : findings)
        text += std::filesystem::path(finding.path).filename().string() + ":" +
                std::to_string(finding.line) + ": " +
                (finding.severity == SeamFinding::Severity::Error ? "error" : "warning") + ": " +
                seamRuleInfo(finding.rule).key +
                (finding.detail.empty() ? "" : " (" + finding.detail + ")") + "\n";
    return text;
}
