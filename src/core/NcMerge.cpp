#include "NcMerge.h"

#include "AtomicFileWriter.h"
#include "NcLineReader.h"
#include "Utf8Path.h"

#include <cerrno>
#include <fstream>
#include <optional>
#include <system_error>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// How many lines go by between two progress reports.
constexpr std::uint64_t kLinesPerReport = 4096;

std::string errnoText(const char* fallback)
{
    return errno != 0 ? std::generic_category().message(errno) : std::string(fallback);
}

class MergeRun
{
public:
    MergeRun(const std::vector<std::string>& inputs, int delUp, int delBtm,
             const MergeProgress& progress)
        : m_inputs(inputs), m_delUp(delUp), m_delBtm(delBtm), m_progress(progress)
    {
        for (const std::string& input : inputs) {
            std::error_code ec;
            const auto size = std::filesystem::file_size(pathFromUtf8(input), ec);
            m_totalBytes += ec ? 0 : 2 * size; // each file is read twice
        }
    }

    MergeReport run(const std::string& outputPath);

private:
    bool openInput(const std::string& path, std::ifstream& stream, std::string& reason) const;
    std::optional<std::int64_t> countLines(const std::string& path);
    bool copyFile(const std::string& path, std::int64_t contentLines, bool cutTop, bool cutBottom,
                  AtomicFileWriter& output);
    // Reports the bytes read so far, pendingBytes of them in the file being read; false to stop.
    bool reportProgress(std::uint64_t pendingBytes = 0);

    const std::vector<std::string>& m_inputs;
    const std::int64_t m_delUp;
    const std::int64_t m_delBtm;
    const MergeProgress& m_progress;
    std::uint64_t m_totalBytes = 0;
    std::uint64_t m_doneBytes = 0;
    bool m_cancelled = false;
    MergeReport m_report;
};

MergeReport MergeRun::run(const std::string& outputPath)
{
    const std::filesystem::path target = pathFromUtf8(outputPath);
    const std::filesystem::path folder = target.parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::exists(folder, ec)) {
        std::filesystem::create_directory(folder, ec);
        if (ec) {
            m_report.status = MergeReport::Status::OutputFolderFailed;
            m_report.failure = {utf8FromPath(folder), ec.message()};
            return m_report;
        }
    }

    AtomicFileWriter output(target);
    if (!output.open()) {
        m_report.status = MergeReport::Status::OutputFailed;
        m_report.failure = {outputPath, output.error()};
        return m_report;
    }

    // Counts of content lines, or nothing for a file that cannot be read.
    std::vector<std::optional<std::int64_t>> counts;
    std::optional<std::size_t> first;
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < m_inputs.size(); ++i) {
        counts.push_back(countLines(m_inputs[i]));
        if (m_cancelled) {
            m_report.status = MergeReport::Status::Cancelled;
            return m_report;
        }
        if (counts[i] && *counts[i] > m_delUp + m_delBtm) {
            if (!first)
                first = i;
            last = i;
        }
    }

    for (std::size_t i = 0; i < m_inputs.size(); ++i) {
        if (!counts[i])
            continue;
        if (*counts[i] <= m_delUp + m_delBtm) {
            m_report.shortFiles.push_back(m_inputs[i]);
            continue;
        }
        if (!copyFile(m_inputs[i], *counts[i], i != first, i != last, output))
            return m_report;
    }

    if (!output.commit()) {
        m_report.status = MergeReport::Status::OutputFailed;
        m_report.failure = {outputPath, output.error()};
    }
    return m_report;
}

bool MergeRun::openInput(const std::string& path, std::ifstream& stream, std::string& reason) const
{
    const std::filesystem::path file = pathFromUtf8(path);
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        reason = std::generic_category().message(EISDIR);
        return false;
    }
    errno = 0;
    stream.open(file, std::ios::binary);
    if (!stream.is_open()) {
        reason = errnoText("cannot be opened");
        return false;
    }
    return true;
}

std::optional<std::int64_t> MergeRun::countLines(const std::string& path)
{
    std::ifstream stream;
    std::string reason;
    if (!openInput(path, stream, reason)) {
        m_report.unreadableFiles.push_back({path, reason});
        return std::nullopt;
    }
    NcLineReader reader(stream);
    errno = 0;
    const std::int64_t count = CountContentLines(reader);
    m_doneBytes += reader.bytesRead();
    if (!reportProgress())
        return std::nullopt;
    if (reader.failed()) {
        m_report.unreadableFiles.push_back({path, errnoText("read error")});
        return std::nullopt;
    }
    return count;
}

// Copies the content lines of one file. DEL_UP counts every line read at the top, blank ones
// included; the bottom cut counts content lines only, so it never reaches into the lines the
// top cut has left.
bool MergeRun::copyFile(const std::string& path, std::int64_t contentLines, bool cutTop,
                        bool cutBottom, AtomicFileWriter& output)
{
    std::ifstream stream;
    std::string reason;
    if (!openInput(path, stream, reason)) {
        m_report.unreadableFiles.push_back({path, reason});
        return true;
    }
    NcLineReader reader(stream);
    std::int64_t taken = 0;
    std::int64_t remaining = contentLines; // content lines not read yet
    bool writing = false;
    std::uint64_t lines = 0;
    LinePiece piece;
    errno = 0;
    while (reader.next(piece)) {
        if (piece.startsLine) {
            const bool content = !piece.isBlankLine();
            if (content)
                --remaining;
            if (cutTop && taken < m_delUp) {
                writing = false;
                ++taken;
            } else if (cutBottom && remaining < m_delBtm) {
                writing = false;
            } else {
                writing = content;
            }
        }
        if (writing) {
            if (piece.endsWithCrLf) {
                output.write({piece.bytes.data(), piece.bytes.size() + kLineEnd.size()});
            } else {
                output.write(piece.bytes);
                if (piece.endsLine)
                    output.write(kLineEnd);
            }
        }
        if (++lines % kLinesPerReport == 0 && !reportProgress(reader.bytesRead())) {
            m_report.status = MergeReport::Status::Cancelled;
            return false;
        }
    }
    if (reader.failed()) {
        m_report.status = MergeReport::Status::InputFailed;
        m_report.failure = {path, errnoText("read error")};
        return false;
    }
    m_doneBytes += reader.bytesRead();
    ++m_report.copiedFiles;
    return true;
}

bool MergeRun::reportProgress(std::uint64_t pendingBytes)
{
    if (m_progress && !m_progress(m_doneBytes + pendingBytes, m_totalBytes))
        m_cancelled = true;
    return !m_cancelled;
}

} // namespace

MergeReport MergeNcFiles(const std::vector<std::string>& inputs, const std::string& outputPath,
                         int delUp, int delBtm, const MergeProgress& progress)
{
    return MergeRun(inputs, delUp, delBtm, progress).run(outputPath);
}
