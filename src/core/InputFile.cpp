#include "InputFile.h"

#include "Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string errnoText()
{
    return std::generic_category().message(errno);
}

#ifdef _WIN32
using NativeStat = struct _stat64;

int statDescriptor(int descriptor, NativeStat& info)
{
    return _fstat64(descriptor, &info);
}

std::int64_t modifiedNanoseconds(const NativeStat& info)
{
    return static_cast<std::int64_t>(info.st_mtime) * 1000000000;
}
#else
using NativeStat = struct stat;

int statDescriptor(int descriptor, NativeStat& info)
{
    return fstat(descriptor, &info);
}

std::int64_t modifiedNanoseconds(const NativeStat& info)
{
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}
#endif

// Errors that belong to the name given: no such file, or none this user may read. Every other
// error (too many open files, an I/O error, no memory) says nothing about the input.
bool leftOutByName(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case EACCES:
    case EPERM:
#ifdef ELOOP
    case ELOOP:
#endif
        return true;
    default:
        return false;
    }
}

} // namespace

InputFile::~InputFile()
{
    close();
}

InputFile::InputFile(InputFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_path(std::move(other.m_path)),
      m_device(other.m_device), m_inode(other.m_inode), m_stamp(other.m_stamp),
      m_digest(other.m_digest), m_error(std::move(other.m_error))
{}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_path = std::move(other.m_path);
        m_device = other.m_device;
        m_inode = other.m_inode;
        m_stamp = other.m_stamp;
        m_digest = other.m_digest;
        m_error = std::move(other.m_error);
    }
    return *this;
}

InputFile::OpenResult InputFile::open(const std::string& path)
{
    close();
    m_digest = ContentDigest();
    errno = 0;
#ifdef _WIN32
    m_descriptor = _wopen(pathFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY);
#else
    // Without O_NONBLOCK, opening a FIFO would wait for a writer for ever.
    m_descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
    if (m_descriptor < 0) {
        const int error = errno;
        m_error = errnoText();
        return leftOutByName(error) ? OpenResult::Unreadable : OpenResult::Failed;
    }
    NativeStat info{};
    if (statDescriptor(m_descriptor, info) != 0) {
        m_error = errnoText();
        close();
        return OpenResult::Failed;
    }
    if ((info.st_mode & S_IFMT) != S_IFREG) {
        m_error = "not a regular file";
        close();
        return OpenResult::NotRegularFile;
    }
    m_stamp = {static_cast<std::uint64_t>(info.st_size), modifiedNanoseconds(info)};
    m_path = path;
    m_device = static_cast<std::uint64_t>(info.st_dev);
    m_inode = static_cast<std::uint64_t>(info.st_ino);
    return OpenResult::Opened;
}

std::int64_t InputFile::readAt(std::uint64_t offset, char* buffer, std::size_t length)
{
    std::int64_t done = 0;
    while (static_cast<std::size_t>(done) < length) {
        const std::uint64_t at = offset + static_cast<std::uint64_t>(done);
#ifdef _WIN32
        const unsigned int chunk =
            static_cast<unsigned int>(std::min<std::size_t>(length - done, 1u << 30));
        if (_lseeki64(m_descriptor, static_cast<__int64>(at), SEEK_SET) < 0) {
            m_error = errnoText();
            return -1;
        }
        const int count = _read(m_descriptor, buffer + done, chunk);
#else
        const ssize_t count =
            pread(m_descriptor, buffer + done, length - done, static_cast<off_t>(at));
#endif
        if (count < 0) {
            if (errno == EINTR)
                continue;
            m_error = errnoText();
            return -1;
        }
        if (count == 0)
            break;
        const std::uint64_t digested = m_digest.bytes();
        if (at <= digested && digested < at + static_cast<std::uint64_t>(count)) {
            const std::size_t skip = static_cast<std::size_t>(digested - at);
            m_digest.add(buffer + done + skip, static_cast<std::size_t>(count) - skip);
        }
        done += count;
    }
    return done;
}

bool InputFile::unchanged(char* scratch, std::size_t scratchSize)
{
    NativeStat info{};
    if (statDescriptor(m_descriptor, info) != 0)
        return false;
    const FileStamp now{static_cast<std::uint64_t>(info.st_size), modifiedNanoseconds(info)};
    char probe = 0;
    if (now != m_stamp || readAt(m_stamp.size, &probe, 1) != 0)
        return false;
    if (m_digest.bytes() == m_stamp.size && !holdsDigestedBytes(scratch, scratchSize))
        return false;
    // Removed or replaced under its name: what was read is no longer the input.
    NativeStat named{};
#ifdef _WIN32
    if (_wstat64(pathFromUtf8(m_path).c_str(), &named) != 0)
        return false;
    return static_cast<std::uint64_t>(named.st_size) == m_stamp.size &&
           modifiedNanoseconds(named) == m_stamp.modified;
#else
    if (::stat(m_path.c_str(), &named) != 0)
        return false;
    return static_cast<std::uint64_t>(named.st_dev) == m_device &&
           static_cast<std::uint64_t>(named.st_ino) == m_inode;
#endif
}

// Reads the whole file again and compares its digest with the one taken as it was first read.
bool InputFile::holdsDigestedBytes(char* scratch, std::size_t scratchSize)
{
    const ContentDigest first = m_digest;
    m_digest = ContentDigest();
    bool same = true;
    for (std::uint64_t offset = 0; offset < m_stamp.size;) {
        const std::size_t length =
            static_cast<std::size_t>(std::min<std::uint64_t>(scratchSize, m_stamp.size - offset));
        if (readAt(offset, scratch, length) != static_cast<std::int64_t>(length)) {
            same = false;
            break;
        }
        offset += length;
    }
    same = same && m_digest.value() == first.value();
    m_digest = first;
    return same;
}

void InputFile::close()
{
    if (m_descriptor < 0)
        return;
#ifdef _WIN32
    _close(m_descriptor);
#else
    ::close(m_descriptor);
#endif
    m_descriptor = -1;
}
