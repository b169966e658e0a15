#pragma once

// An input's kept lines read a second time, through stages set up as its copy had them, to
// write its segments where the order runs them.

#include "BlockReader.h"
#include "InputFile.h"
#include "InputStages.h"
#include "NcMerge.h"
#include "OrderPlanning.h"
#include "core/nc/NcLineReader.h"
#include "core/plate/OrderedJobWriter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Reads one planned input's kept region again, line by line as far as its segments are due, and
// gives its lines as the merge wrote them: every line through fresh stages of its own, which
// rewrite it as the first reading's did (their record goes nowhere), blank lines left out.
class ProgramReplay
{
public:
    ProgramReplay(const MergeRequest& request, const PlannedInput& planned);
    ProgramReplay(const ProgramReplay&) = delete;
    ProgramReplay& operator=(const ProgramReplay&) = delete;

    // Opens the input again: false, with error set, when it cannot be, or is no longer the file
    // the first reading read.
    bool open(const std::string& path, const FileStamp& stamp);
    // Gives its lines from the next one not given up to line to, exclusive, reading through
    // buffer; counts the bytes it is done with in done.
    BlockReader::Result take(std::size_t to, std::vector<char>& buffer,
                             const ProgramLines::OnLine& onLine, std::uint64_t& done);
    // Whether the lines given are the ones the first reading planned, lines of them, with
    // nothing but blank lines after them.
    bool sameAsPlanned(std::size_t lines, std::vector<char>& buffer);
    std::size_t input() const { return m_planned.input; }
    const FileError& error() const { return m_error; }

private:
    // A line of the region, from its start up to its LF or the region's end.
    void line(const char* start, const char* end, bool terminated, std::size_t to,
              const ProgramLines::OnLine& onLine);
    void give(std::string_view text, std::int64_t number, std::size_t to,
              const ProgramLines::OnLine& onLine);

    const PlannedInput& m_planned;
    InputFile m_file;
    FileError m_error;
    NcLineReader m_reader;
    InputRecord m_record; // of the stages, not kept
    std::optional<InputStages> m_stages;
    std::uint64_t m_offset = 0; // of the next line
    const std::uint64_t m_end;
    std::int64_t m_number = 0; // of the line read last
    std::size_t m_streamed = 0;
    std::size_t m_given = 0;
    std::uint64_t m_digest = 0;
    // A line due after the last one asked for: the line a stage put another before.
    std::optional<std::pair<std::string, std::int64_t>> m_held;
};
