#include "AtomicFileWriter.h"

#include "Utf8Path.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace {

constexpr std::size_t kBufferSize = std::size_t(1) << 20;

std::string lastErrorText(const char* fallback)
{
    return errno != 0 ? std::generic_category().message(errno) : std::string(fallback);
}

std::string randomSuffix()
{
    std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        const unsigned d = digit(device);
        suffix += static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
    }
    return suffix;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target)
    : m_target(std::move(target)), m_buffer(kBufferSize)
{}

AtomicFileWriter::~AtomicFileWriter()
{
    if (m_committed || m_temporary.empty())
        return;
    m_stream.close();
    std::error_code ignored;
    std::filesystem::remove(m_temporary, ignored);
}

bool AtomicFileWriter::open()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status existing = fs::status(m_target, ec);
    if (fs::is_directory(existing)) {
        fail(std::generic_category().message(EISDIR));
        return false;
    }
    if (fs::exists(existing)) {
        // Renaming would replace a file that we may not write: refuse it, as writing would.
        errno = 0;
        if (!std::ofstream(m_target, std::ios::binary | std::ios::app).is_open()) {
            fail(lastErrorText("the file cannot be written"));
            return false;
        }
    }
    for (int attempt = 0; attempt < 16; ++attempt) {
        fs::path candidate = m_target;
        candidate += "." + randomSuffix() + ".tmp";
        if (fs::exists(candidate, ec))
            continue;
        errno = 0;
        m_stream.open(candidate, std::ios::binary | std::ios::out | std::ios::trunc);
        if (!m_stream.is_open()) {
            fail(lastErrorText("the file cannot be created"));
            return false;
        }
        m_temporary = candidate;
        if (fs::exists(existing))
            fs::permissions(m_temporary, existing.permissions(), ec);
        return true;
    }
    fail("no free temporary name for " + utf8FromPath(m_target));
    return false;
}

void AtomicFileWriter::write(std::string_view bytes)
{
    if (bytes.size() > m_buffer.size() - m_buffered) {
        if (!m_error.empty() || !flushBuffer())
            return;
        if (bytes.size() >= m_buffer.size()) {
            errno = 0;
            if (!m_stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
                fail(lastErrorText("write error"));
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_buffered, bytes.data(), bytes.size());
    m_buffered += bytes.size();
}

bool AtomicFileWriter::flushBuffer()
{
    errno = 0;
    if (!m_stream.write(m_buffer.data(), static_cast<std::streamsize>(m_buffered))) {
        fail(lastErrorText("write error"));
        return false;
    }
    m_buffered = 0;
    return true;
}

bool AtomicFileWriter::commit()
{
    if (!m_error.empty() || !m_stream.is_open() || !flushBuffer())
        return false;
    errno = 0;
    m_stream.flush();
    m_stream.close();
    if (m_stream.fail()) {
        fail(lastErrorText("write error"));
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(m_temporary, m_target, ec);
    if (ec) {
        fail(ec.message());
        return false;
    }
    m_committed = true;
    return true;
}

void AtomicFileWriter::fail(const std::string& reason)
{
    if (m_error.empty())
        m_error = reason;
}
