// An input opened for reading at offsets, its bytes digested as they pass.

#include "InputFile.h"

#include "core/os/NativeFile.h"
#include "core/os/Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <utility>

namespace {

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
      m_opened(other.m_opened), m_stamp(other.m_stamp), m_proof(other.m_proof),
      m_digest(other.m_digest), m_error(std::move(other.m_error))
{}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_path = std::move(other.m_path);
        m_opened = other.m_opened;
        m_stamp = other.m_stamp;
        m_proof = other.m_proof;
        m_digest = other.m_digest;
        m_error = std::move(other.m_error);
    }
    return *this;
}

InputFile::OpenResult InputFile::open(const std::string& path, bool readAgain)
{
    close();
    m_digest = ContentDigest();
    errno = 0;
    bool writesDenied = false;
    m_descriptor = NativeFile::openToRead(path, writesDenied);
    if (m_descriptor < 0) {
        const int error = errno;
        m_error = FileError::lastSystemError();
        return leftOutByName(error) ? OpenResult::Unreadable : OpenResult::Failed;
    }
    if (!NativeFile::describe(m_descriptor, m_opened)) {
        m_error = FileError::lastSystemError();
        close();
        return OpenResult::Failed;
    }
    if (!m_opened.regular) {
        m_error = {FileError::Cause::NotRegularFile};
        close();
        return OpenResult::NotRegularFile;
    }
    m_stamp = {m_opened.size, m_opened.modifiedNanoseconds};
    m_path = path;
    m_proof = readAgain      ? UnchangedProof::SecondReading
              : writesDenied ? UnchangedProof::WritesDenied
              : NativeFile::changeTimeShowsWrites(m_descriptor, m_opened)
                  ? UnchangedProof::ChangeTime
                  : UnchangedProof::SecondReading;
    return OpenResult::Opened;
}

std::int64_t InputFile::readAt(std::uint64_t offset, char* buffer, std::size_t length, bool digest)
{
    std::int64_t done = 0;
    while (static_cast<std::size_t>(done) < length) {
        const std::uint64_t at = offset + static_cast<std::uint64_t>(done);
        const std::int64_t count = NativeFile::readAt(m_descriptor, at, buffer + done,
                                                      length - static_cast<std::size_t>(done));
        if (count < 0) {
            if (errno == EINTR)
                continue;
            m_error = FileError::lastSystemError();
            return -1;
        }
        if (count == 0)
            break;
        if (digest)
            addToDigest(at, buffer + done, static_cast<std::size_t>(count));
        done += count;
    }
    return done;
}

void InputFile::addToDigest(std::uint64_t offset, const char* bytes, std::size_t count)
{
    const std::uint64_t digested = m_digest.bytes();
    if (offset <= digested && digested < offset + count) {
        const std::size_t skip = static_cast<std::size_t>(digested - offset);
        m_digest.add(bytes + skip, count - skip);
    }
}

bool InputFile::unchanged(char* scratch, std::size_t scratchSize)
{
    return unchanged(readsAgain() ? digestOf(0, m_stamp.size, scratch, scratchSize) : std::nullopt);
}

bool InputFile::unchanged(const std::optional<ContentDigest>& secondReading)
{
    if (readsAgain() && (!secondReading || secondReading->value() != m_digest.value()))
        return false;
    NativeFile::Info info;
    if (!NativeFile::describe(m_descriptor, info))
        return false;
    const FileStamp now{info.size, info.modifiedNanoseconds};
    char probe = 0;
    if (now != m_stamp || readAt(m_stamp.size, &probe, 1) != 0)
        return false;
    // Every write sets the change time, and no call can set it back.
    if (m_proof == UnchangedProof::ChangeTime &&
        info.changedNanoseconds != m_opened.changedNanoseconds)
        return false;
    // Removed or replaced under its name: what was read is no longer the input.
    NativeFile::Info named;
    return NativeFile::describe(pathFromUtf8(m_path), named) &&
           NativeFile::sameFile(m_opened, named);
}

std::optional<ContentDigest> InputFile::digestOf(std::uint64_t offset, std::uint64_t length,
                                                 char* scratch, std::size_t scratchSize) const
{
    ContentDigest digest = ContentDigest::from(offset);
    for (std::uint64_t done = 0; done < length;) {
        const std::size_t part =
            static_cast<std::size_t>(std::min<std::uint64_t>(scratchSize, length - done));
        const std::int64_t count = NativeFile::readAt(m_descriptor, offset + done, scratch, part);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return std::nullopt;
        digest.add(scratch, static_cast<std::size_t>(count));
        done += static_cast<std::uint64_t>(count);
    }
    return digest;
}

void InputFile::close()
{
    if (m_descriptor < 0)
        return;
    NativeFile::close(m_descriptor);
    m_descriptor = -1;
}
