#pragma once

#include <string>
#include <vector>

// The display entries of the files dropped on each cell, in drop order. Nothing of it is saved.
class CQuorDoc
{
public:
    static constexpr int kMaxCells = 500;

    CQuorDoc() : m_CellFiles(kMaxCells) {}

    std::vector<std::vector<std::string>>& GetCellFiles() { return m_CellFiles; }
    const std::vector<std::vector<std::string>>& GetCellFiles() const { return m_CellFiles; }

private:
    std::vector<std::vector<std::string>> m_CellFiles;
};
