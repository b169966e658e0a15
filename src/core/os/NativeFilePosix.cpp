// Files, sync and rename on POSIX systems.

#include "NativeFile.h"

#include "Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/vfs.h>
#include <time.h>
#endif

namespace fs = std::filesystem;

namespace {

void fill(const struct stat& status, NativeFile::Info& info)
{
    info.size = static_cast<std::uint64_t>(status.st_size);
    info.modifiedNanoseconds =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    info.changedNanoseconds =
        static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    info.device = static_cast<std::uint64_t>(status.st_dev);
    info.inode = static_cast<std::uint64_t>(status.st_ino);
    info.mode = status.st_mode & 07777;
    info.owner = static_cast<long>(status.st_uid);
    info.group = static_cast<long>(status.st_gid);
    info.regular = S_ISREG(status.st_mode);
    info.folder = S_ISDIR(status.st_mode);
}

} // namespace

// A file name is bytes: they pass through untouched, so names in any encoding work.
fs::path pathFromUtf8(std::string_view utf8)
{
    return fs::path(std::string(utf8));
}

std::string utf8FromPath(const fs::path& path)
{
    return path.native();
}

namespace NativeFile {

int openToRead(const std::string& path, bool& writesDenied)
{
    writesDenied = false;
    // Without O_NONBLOCK, opening a FIFO would wait for a writer for ever.
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

bool changeTimeShowsWrites(int descriptor, const Info& opened)
{
#ifdef __linux__
    // Local file systems that set the change time on every write, and let no call set it:
    // ext2/3/4, XFS, Btrfs, tmpfs, F2FS, ZFS, and overlays of them. Network and FUSE file
    // systems, FAT, exFAT and NTFS drivers may not.
    constexpr unsigned long kKeepChangeTime[] = {0xEF53,     0x58465342, 0x9123683E, 0x01021994,
                                                 0xF2F52010, 0x2FC12FC1, 0x794C7630};
    struct statfs system
    {};
    if (fstatfs(descriptor, &system) != 0)
        return false;
    const auto type = static_cast<unsigned long>(system.f_type);
    if (std::find(std::begin(kKeepChangeTime), std::end(kKeepChangeTime), type) ==
        std::end(kKeepChangeTime))
        return false;
    timespec tick{};
    if (clock_gettime(CLOCK_REALTIME_COARSE, &tick) != 0)
        return false;
    return opened.changedNanoseconds <
           static_cast<std::int64_t>(tick.tv_sec) * 1000000000 + tick.tv_nsec;
#else
    (void)descriptor;
    (void)opened;
    return false;
#endif
}

int createNew(const fs::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int createUnnamed(const fs::path& folder)
{
#ifdef O_TMPFILE
    // Named through /proc, where a system without it mounted has no other way for us.
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

bool linkUnnamed(int descriptor, const fs::path& path)
{
    const std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool close(int descriptor)
{
    return ::close(descriptor) == 0;
}

bool describe(int descriptor, Info& info)
{
    struct stat status
    {};
    if (fstat(descriptor, &status) != 0)
        return false;
    fill(status, info);
    return true;
}

bool describe(const fs::path& path, Info& info)
{
    struct stat status
    {};
    if (::stat(path.c_str(), &status) != 0)
        return false;
    fill(status, info);
    return true;
}

bool sameFile(const Info& opened, const Info& named)
{
    return opened.device == named.device && opened.inode == named.inode;
}

std::int64_t readAt(int descriptor, std::uint64_t offset, char* buffer, std::size_t length)
{
    return pread(descriptor, buffer, length, static_cast<off_t>(offset));
}

std::int64_t writeSome(int descriptor, const char* bytes, std::size_t length)
{
    return ::write(descriptor, bytes, length);
}

bool nameAllowed(const fs::path&)
{
    return true;
}

bool mayWrite(const fs::path& existing)
{
    const int probe = ::open(existing.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0)
        return false;
    ::close(probe);
    return true;
}

bool takeOver(int descriptor, const Info& replaced)
{
    if (fchmod(descriptor, replaced.mode) != 0)
        return false;
    // Only a privileged process may give the file away; for others the new file is theirs.
    return fchown(descriptor, static_cast<uid_t>(replaced.owner),
                  static_cast<gid_t>(replaced.group)) == 0 ||
           errno == EPERM;
}

bool sync(int descriptor)
{
    return fsync(descriptor) == 0;
}

std::error_code replace(const fs::path& from, const fs::path& to)
{
    if (::rename(from.c_str(), to.c_str()) == 0)
        return {};
    return {errno, std::generic_category()};
}

bool syncFolder(const fs::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    ::close(descriptor);
    return synced;
}

void removeFromSignalHandler(const char* path)
{
    unlink(path);
}

void makeBinary(int) {}

std::string defaultFolder()
{
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
}

std::string defaultEditor()
{
    // Shipped beside the program: xdg-open opens nothing for an NC program.
    return "corvane-open-text";
}

} // namespace NativeFile
