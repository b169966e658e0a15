// An input's kept lines read again and rewritten as its copy wrote them, segment by segment.

#include "ProgramReplay.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint64_t kFirstLook = std::uint64_t(16) << 10;

} // namespace

ProgramReplay::ProgramReplay(const MergeRequest& request, const PlannedInput& planned)
    : m_planned(planned), m_reader(planned.dialect), m_offset(planned.region.begin),
      m_end(planned.region.end), m_number(planned.region.lineBefore)
{
    m_stages.emplace(request, planned.input, m_record, m_reader, nullptr);
}

bool ProgramReplay::open(const std::string& path, const FileStamp& stamp)
{
    if (m_file.open(path) != InputFile::OpenResult::Opened) {
        m_error = m_file.error();
        return false;
    }
    if (!(m_file.stamp() == stamp)) {
        m_error = {FileError::Cause::ChangedWhileRead};
        return false;
    }
    return true;
}

BlockReader::Result ProgramReplay::take(std::size_t to, std::vector<char>& buffer,
                                        const ProgramLines::OnLine& onLine, std::uint64_t& done)
{
    if (m_held && m_given < to) {
        const auto [text, number] = *std::exchange(m_held, std::nullopt);
        give(text, number, to, onLine);
    }
    for (std::uint64_t look = kFirstLook; m_given < to && !m_held && m_offset < m_end;
         look = std::min<std::uint64_t>(look * 2, buffer.size())) {
        const std::size_t length = static_cast<std::size_t>(
            std::min<std::uint64_t>({look, buffer.size(), m_end - m_offset}));
        const std::int64_t read = m_file.readAt(m_offset, buffer.data(), length);
        if (read < 0) {
            m_error = m_file.error();
            return BlockReader::Result::Failed;
        }
        if (static_cast<std::size_t>(read) != length)
            return BlockReader::Result::Short;
        const char* p = buffer.data();
        const char* const end = p + length;
        while (m_given < to && !m_held && p < end) {
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
            const bool last = m_offset + std::uint64_t(end - p) == m_end;
            if (!lf && !last)
                break;
            const char* const next = lf ? lf + 1 : end;
            line(p, lf ? lf : end, lf != nullptr, to, onLine);
            m_offset += std::uint64_t(next - p);
            done += std::uint64_t(next - p);
            p = next;
        }
        // A line longer than the buffer: the first reading held none such.
        if (p == buffer.data() && length == buffer.size() && m_given < to && !m_held)
            return BlockReader::Result::Short;
    }
    return BlockReader::Result::Read;
}

bool ProgramReplay::sameAsPlanned(std::size_t lines, std::vector<char>& buffer)
{
    bool more = false;
    std::uint64_t done = 0;
    const BlockReader::Result read = take(
        std::size_t(-1), buffer, [&](const ProgramLine&) { more = true; }, done);
    return read == BlockReader::Result::Read && !more && m_given == lines &&
           m_digest == m_planned.digest;
}

void ProgramReplay::line(const char* start, const char* end, bool terminated, std::size_t to,
                         const ProgramLines::OnLine& onLine)
{
    ++m_number;
    // The CR of a CR LF is no part of the line; at the end of the file without one, it is.
    const bool crLf = terminated && end > start && end[-1] == '\r';
    const std::string_view text(start, std::size_t(end - start) - (crLf ? 1 : 0));
    if (text.empty())
        return;
    const std::vector<std::int64_t>& streamed = m_planned.streamed;
    while (m_streamed < streamed.size() && streamed[m_streamed] < m_number)
        ++m_streamed;
    if (m_streamed < streamed.size() && streamed[m_streamed] == m_number) {
        // Written as it streamed in the first time: read the way it was, never rewritten.
        m_reader.feed({start, std::size_t(end - start)});
        m_stages->streamed(m_number, text, m_reader.finish(), true);
        give(text, m_number, to, onLine);
        return;
    }
    const NcLineFacts facts = m_reader.read(text);
    const LineRewrite rewrite = m_stages->pass(m_number, text, facts);
    if (!rewrite.inserted.empty())
        give(rewrite.inserted, 0, to, onLine);
    give(rewrite.rewritten ? std::string_view(*rewrite.rewritten) : text, m_number, to, onLine);
}

void ProgramReplay::give(std::string_view text, std::int64_t number, std::size_t to,
                         const ProgramLines::OnLine& onLine)
{
    if (m_given >= to) {
        m_held.emplace(std::string(text), number);
        return;
    }
    m_digest = withLine(m_digest, text);
    ++m_given;
    onLine({text, number});
}
