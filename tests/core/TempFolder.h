#pragma once

#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A folder of its own for one test, removed with everything in it afterwards.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The UTF-8 path of name inside the folder.
    std::string file(std::string_view name) const;
    // Writes bytes, exactly, to name inside the folder and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

std::string readFile(const std::string& path);
// The regular files of a folder, sorted, as UTF-8 paths.
std::vector<std::string> sortedFiles(const std::filesystem::path& folder, bool recursive = false);
// The folders of the golden cases of one kind ("merge", "seams"), by name, sorted.
std::vector<std::string> goldenCases(const std::string& kind);
// A golden case's folder name as a test name, which takes letters, digits and underscores.
std::string caseTestName(std::string folder);
// The inputs of a golden case: its files named in1, in2, ..., in order.
std::vector<std::string> caseInputs(const std::filesystem::path& folder);

// A golden case's request: its inputs, and the options file's "top N", "bottom N" and "at N
// OFFSET" (input N, from 1, placed at OFFSET; at G54 it stands in the first cell). The first
// word of any other line goes to other.
MergeRequest caseRequest(const std::filesystem::path& folder,
                         const std::function<void(const std::string& key)>& other);

// Findings a line each, as the golden cases expect them: "NAME:LINE: error: KEY (DETAIL)".
std::string describeFindings(const std::vector<SeamFinding>& findings);
