#pragma once

#include "NcMerge.h"
#include "OutputSink.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The merged program held in memory where it is run tool by tool before it is written, with
// the input line of each written line, by input.
class OrderedOutput : public OutputSink
{
public:
    explicit OrderedOutput(std::size_t inputs) : m_writtenLines(inputs) {}

    void write(std::string_view bytes) override { m_bytes.append(bytes); }
    bool commit() override { return true; }
    const FileError& error() const override { return m_error; }

    std::vector<std::int64_t>& writtenLines(std::size_t input) { return m_writtenLines[input]; }
    // Orders the merged program by tool, noting what it did in the report's order; returns it
    // as it is to be written, in the given order where it is kept.
    std::string order(MergeReport& report, const std::vector<std::string>& retract) const;

private:
    std::vector<std::string_view> lines() const;

    std::string m_bytes;
    std::vector<std::vector<std::int64_t>> m_writtenLines;
    FileError m_error;
};
