// Files, sync and rename on Windows.

#include "NativeFile.h"

#include "Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

namespace fs = std::filesystem;

namespace {

// Larger reads and writes fail: the C runtime counts in int.
constexpr std::size_t kLargestCall = std::size_t(1) << 30;

void fill(const struct _stat64& status, NativeFile::Info& info)
{
    info.size = static_cast<std::uint64_t>(status.st_size);
    info.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtime) * 1000000000;
    info.device = static_cast<std::uint64_t>(status.st_dev);
    info.inode = static_cast<std::uint64_t>(status.st_ino);
    info.mode = status.st_mode & 0777;
    info.regular = (status.st_mode & _S_IFMT) == _S_IFREG;
    info.folder = (status.st_mode & _S_IFMT) == _S_IFDIR;
}

} // namespace

// Windows names are UTF-16, converted from and to UTF-8.
fs::path pathFromUtf8(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

namespace NativeFile {

int openToRead(const std::string& path, bool& writesDenied)
{
    // Held without write sharing, nothing can write the file while it is read; one that another
    // program holds open to write opens as before.
    int descriptor = -1;
    const std::wstring name = pathFromUtf8(path).wstring();
    writesDenied = _wsopen_s(&descriptor, name.c_str(), _O_RDONLY | _O_BINARY, _SH_DENYWR, 0) == 0;
    if (writesDenied)
        return descriptor;
    return _wopen(name.c_str(), _O_RDONLY | _O_BINARY);
}

// The change time of a file on Windows is not its status's: writes are denied instead.
bool changeTimeShowsWrites(int, const Info&)
{
    return false;
}

int createNew(const fs::path& path)
{
    return _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

// Windows names every file it creates: the temporary file has a name from the start.
int createUnnamed(const fs::path&)
{
    errno = ENOSYS;
    return -1;
}

bool linkUnnamed(int, const fs::path&)
{
    errno = ENOSYS;
    return false;
}

bool close(int descriptor)
{
    return _close(descriptor) == 0;
}

bool describe(int descriptor, Info& info)
{
    struct _stat64 status
    {};
    if (_fstat64(descriptor, &status) != 0)
        return false;
    fill(status, info);
    return true;
}

bool describe(const fs::path& path, Info& info)
{
    struct _stat64 status
    {};
    if (_wstat64(path.c_str(), &status) != 0)
        return false;
    fill(status, info);
    return true;
}

// The C runtime gives no file identity: a replaced file shows in its size or its time.
bool sameFile(const Info& opened, const Info& named)
{
    return opened.size == named.size && opened.modifiedNanoseconds == named.modifiedNanoseconds;
}

std::int64_t readAt(int descriptor, std::uint64_t offset, char* buffer, std::size_t length)
{
    if (_lseeki64(descriptor, static_cast<__int64>(offset), SEEK_SET) < 0)
        return -1;
    return _read(descriptor, buffer, static_cast<unsigned>(std::min(length, kLargestCall)));
}

std::int64_t writeSome(int descriptor, const char* bytes, std::size_t length)
{
    return _write(descriptor, bytes, static_cast<unsigned>(std::min(length, kLargestCall)));
}

// Windows drops a name's trailing dots and blanks: "a." would be written as "a".
bool nameAllowed(const fs::path& target)
{
    const std::wstring name = target.filename().wstring();
    return name.empty() || (name.back() != L'.' && name.back() != L' ');
}

bool mayWrite(const fs::path& existing)
{
    return _waccess(existing.c_str(), 2) == 0;
}

bool takeOver(int, const Info&)
{
    return true;
}

bool sync(int descriptor)
{
    return _commit(descriptor) == 0;
}

std::error_code replace(const fs::path& from, const fs::path& to)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return {static_cast<int>(GetLastError()), std::system_category()};
}

bool syncFolder(const fs::path&)
{
    return true;
}

void removeFromSignalHandler(const char* path)
{
    _unlink(path);
}

void makeBinary(int descriptor)
{
    // Text mode would turn every LF of a CR LF into another CR LF.
    _setmode(descriptor, _O_BINARY);
}

std::string defaultFolder()
{
    return "C:\\Program Files\\Corvane\\";
}

std::string defaultEditor()
{
    return "notepad";
}

} // namespace NativeFile
