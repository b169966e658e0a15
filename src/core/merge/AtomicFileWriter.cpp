// The output written to a temporary file beside it, synced and renamed over it on commit.

#include "AtomicFileWriter.h"

#include "core/os/FullWrite.h"
#include "core/os/NativeFile.h"
#include "core/os/TemporaryFileCleanup.h"
#include "core/os/Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Small: the merge hands over large pieces, which bypass it.
constexpr std::size_t kBufferSize = std::size_t(64) << 10;
// Links that lead on to further links end somewhere: give up after as many as POSIX does.
constexpr int kMaxLinks = 40;

// Short, whatever the target's name, so every name the file system allows works as output.
std::string temporaryName()
{
    static std::random_device device;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    std::string name = ".corvane-";
    for (int i = 0; i < 6; ++i) {
        const unsigned d = digit(device);
        name += static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
    }
    return name;
}

} // namespace

AtomicFileWriter::AtomicFileWriter(fs::path target)
    : m_target(std::move(target)), m_buffer(std::make_unique_for_overwrite<char[]>(kBufferSize))
{}

AtomicFileWriter::~AtomicFileWriter()
{
    removeTemporary();
}

bool AtomicFileWriter::resolveTarget()
{
    std::error_code ec;
    for (int link = 0; fs::is_symlink(fs::symlink_status(m_target, ec)); ++link) {
        if (link == kMaxLinks)
            return fail(FileError::system(ELOOP));
        const fs::path next = fs::read_symlink(m_target, ec);
        if (ec)
            return fail({FileError::Cause::System, ec});
        m_target = next.is_absolute() ? next : m_target.parent_path() / next;
    }
    return true;
}

bool AtomicFileWriter::open()
{
    if (!resolveTarget())
        return false;
    if (!NativeFile::nameAllowed(m_target))
        return fail({FileError::Cause::NameNotAllowed});
    NativeFile::Info existing;
    if (!NativeFile::describe(m_target, existing))
        return createTemporary(nullptr);
    if (!existing.regular)
        return fail(existing.folder ? FileError::system(EISDIR)
                                    : FileError{FileError::Cause::NotRegularFile});
    // The rename would replace a file that we may not write: refuse it, as writing would.
    if (!NativeFile::mayWrite(m_target))
        return fail(FileError::lastSystemError());
    return createTemporary(&existing);
}

bool AtomicFileWriter::createTemporary(const NativeFile::Info* replaced)
{
    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    m_descriptor = NativeFile::createUnnamed(folder);
    m_unnamed = m_descriptor >= 0;
    for (int attempt = 0; !m_unnamed && attempt < 100; ++attempt) {
        const fs::path candidate = folder / temporaryName();
        errno = 0;
        m_descriptor = NativeFile::createNew(candidate);
        if (m_descriptor >= 0) {
            m_temporary = candidate;
            TemporaryFileCleanup::track(utf8FromPath(candidate));
            break;
        }
        if (errno != EEXIST)
            return fail(FileError::lastSystemError());
    }
    if (m_descriptor < 0)
        return fail({FileError::Cause::NoTemporaryName});
    if (replaced && !NativeFile::takeOver(m_descriptor, *replaced))
        return fail(FileError::lastSystemError());
    return true;
}

bool AtomicFileWriter::nameTemporary()
{
    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / temporaryName();
        errno = 0;
        if (NativeFile::linkUnnamed(m_descriptor, candidate)) {
            m_temporary = candidate;
            TemporaryFileCleanup::track(utf8FromPath(candidate));
            return true;
        }
        if (errno != EEXIST)
            return fail(FileError::lastSystemError());
    }
    return fail({FileError::Cause::NoTemporaryName});
}

void AtomicFileWriter::write(std::string_view bytes)
{
    if (m_error)
        return;
    if (m_buffered == 0 && bytes.size() >= kBufferSize) {
        writeAll(bytes.data(), bytes.size());
        return;
    }
    while (!bytes.empty() && !m_error) {
        if (m_buffered == kBufferSize && !flushBuffer())
            return;
        const std::size_t taken = std::min(bytes.size(), kBufferSize - m_buffered);
        std::memcpy(m_buffer.get() + m_buffered, bytes.data(), taken);
        m_buffered += taken;
        bytes.remove_prefix(taken);
    }
}

bool AtomicFileWriter::writeAll(const char* data, std::size_t length)
{
    return writeFully(m_descriptor, {data, length}) || fail(FileError::lastSystemError());
}

bool AtomicFileWriter::flushBuffer()
{
    const bool written = writeAll(m_buffer.get(), m_buffered);
    m_buffered = 0;
    return written;
}

bool AtomicFileWriter::commit()
{
    if (!!m_error || m_descriptor < 0 || !flushBuffer())
        return false;
    // Synced before the rename: after a power cut the target is the old or the whole new file.
    if (!NativeFile::sync(m_descriptor))
        return fail(FileError::lastSystemError());
    if (m_unnamed && !nameTemporary())
        return false;
    const bool closed = NativeFile::close(m_descriptor);
    m_descriptor = -1;
    if (!closed)
        return fail(FileError::lastSystemError());
    if (const std::error_code refused = NativeFile::replace(m_temporary, m_target))
        return fail({FileError::Cause::System, refused});
    m_temporary.clear();
    TemporaryFileCleanup::forget();
    if (!NativeFile::syncFolder(m_target.has_parent_path() ? m_target.parent_path()
                                                           : fs::path(".")))
        return fail(FileError::lastSystemError());
    return true;
}

void AtomicFileWriter::removeTemporary()
{
    if (m_descriptor >= 0) {
        NativeFile::close(m_descriptor);
        m_descriptor = -1;
    }
    if (m_temporary.empty())
        return;
    std::error_code ignored;
    fs::remove(m_temporary, ignored);
    m_temporary.clear();
    TemporaryFileCleanup::forget();
}

bool AtomicFileWriter::fail(FileError error)
{
    if (!m_error)
        m_error = error;
    removeTemporary();
    return false;
}
