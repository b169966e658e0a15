#include "AtomicFileWriter.h"

#include "FullWrite.h"
#include "TemporaryFileCleanup.h"
#include "Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Small: the merge hands over large pieces, which bypass it.
constexpr std::size_t kBufferSize = std::size_t(64) << 10;
// Links that lead on to further links end somewhere: give up after as many as POSIX does.
constexpr int kMaxLinks = 40;

std::string errnoText()
{
    return std::generic_category().message(errno);
}

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

#ifndef _WIN32
bool syncFolder(const fs::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    ::close(descriptor);
    return synced;
}
#endif

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
            return fail(std::generic_category().message(ELOOP));
        const fs::path next = fs::read_symlink(m_target, ec);
        if (ec)
            return fail(ec.message());
        m_target = next.is_absolute() ? next : m_target.parent_path() / next;
    }
    return true;
}

bool AtomicFileWriter::open()
{
    if (!resolveTarget())
        return false;
#ifdef _WIN32
    // Windows drops a name's trailing dots and blanks: "a." would be written as "a".
    const std::wstring name = m_target.filename().wstring();
    if (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        return fail("Windows cannot name a file that ends with a dot or a blank");
    struct _stat64 existing
    {};
    const bool exists = _wstat64(m_target.c_str(), &existing) == 0;
#else
    struct stat existing
    {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
#endif
    if (!exists)
        return createTemporary(false, 0, 0, 0);
    if ((existing.st_mode & S_IFMT) != S_IFREG)
        return fail((existing.st_mode & S_IFMT) == S_IFDIR ? std::generic_category().message(EISDIR)
                                                           : "not a regular file");
        // The rename would replace a file that we may not write: refuse it, as writing would.
#ifdef _WIN32
    if (_waccess(m_target.c_str(), 2) != 0)
        return fail(errnoText());
    return createTemporary(false, existing.st_mode, 0, 0);
#else
    const int probe = ::open(m_target.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0)
        return fail(errnoText());
    ::close(probe);
    return createTemporary(true, existing.st_mode, existing.st_uid, existing.st_gid);
#endif
}

bool AtomicFileWriter::createTemporary(bool keepOwner, unsigned mode, long owner, long group)
{
    const fs::path folder = m_target.has_parent_path() ? m_target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = folder / temporaryName();
        errno = 0;
#ifdef _WIN32
        m_descriptor = _wopen(candidate.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                              _S_IREAD | _S_IWRITE);
#else
        m_descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (m_descriptor >= 0) {
            m_temporary = candidate;
            TemporaryFileCleanup::track(utf8FromPath(candidate));
            break;
        }
        if (errno != EEXIST)
            return fail(errnoText());
    }
    if (m_descriptor < 0)
        return fail("no free temporary name in " + utf8FromPath(folder));
#ifndef _WIN32
    if (mode != 0 && fchmod(m_descriptor, mode & 07777) != 0)
        return fail(errnoText());
    // Only a privileged process may give the file away; for others the new file is theirs.
    if (keepOwner && fchown(m_descriptor, owner, group) != 0 && errno != EPERM)
        return fail(errnoText());
#else
    (void)keepOwner;
    (void)mode;
    (void)owner;
    (void)group;
#endif
    return true;
}

void AtomicFileWriter::write(std::string_view bytes)
{
    if (!m_error.empty())
        return;
    if (m_buffered == 0 && bytes.size() >= kBufferSize) {
        writeAll(bytes.data(), bytes.size());
        return;
    }
    while (!bytes.empty() && m_error.empty()) {
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
    return writeFully(m_descriptor, {data, length}) || fail(errnoText());
}

bool AtomicFileWriter::flushBuffer()
{
    const bool written = writeAll(m_buffer.get(), m_buffered);
    m_buffered = 0;
    return written;
}

bool AtomicFileWriter::commit()
{
    if (!m_error.empty() || m_descriptor < 0 || !flushBuffer())
        return false;
#ifdef _WIN32
    if (_commit(m_descriptor) != 0)
        return fail(errnoText());
    const int closed = _close(m_descriptor);
    m_descriptor = -1;
    if (closed != 0)
        return fail(errnoText());
    if (!MoveFileExW(m_temporary.c_str(), m_target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(std::system_category().message(static_cast<int>(GetLastError())));
#else
    // Synced before the rename: after a power cut the target is the old or the whole new file.
    if (fsync(m_descriptor) != 0)
        return fail(errnoText());
    const int closed = ::close(m_descriptor);
    m_descriptor = -1;
    if (closed != 0)
        return fail(errnoText());
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        return fail(errnoText());
#endif
    m_temporary.clear();
    TemporaryFileCleanup::forget();
#ifndef _WIN32
    if (!syncFolder(m_target.has_parent_path() ? m_target.parent_path() : fs::path(".")))
        return fail(errnoText());
#endif
    return true;
}

void AtomicFileWriter::removeTemporary()
{
    if (m_descriptor >= 0) {
#ifdef _WIN32
        _close(m_descriptor);
#else
        ::close(m_descriptor);
#endif
        m_descriptor = -1;
    }
    if (m_temporary.empty())
        return;
    std::error_code ignored;
    fs::remove(m_temporary, ignored);
    m_temporary.clear();
    TemporaryFileCleanup::forget();
}

bool AtomicFileWriter::fail(const std::string& reason)
{
    if (m_error.empty())
        m_error = reason;
    removeTemporary();
    return false;
}
