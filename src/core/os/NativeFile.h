#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

// The operating system's file calls that the core makes, one implementation per platform.
// Descriptors are the C runtime's; a call that fails returns -1 or false with errno set,
// unless it says otherwise.
namespace NativeFile {

struct Info
{
    std::uint64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedNanoseconds = 0; // of the status, where the system keeps it
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    unsigned mode = 0; // the permission bits
    long owner = 0;
    long group = 0;
    bool regular = false;
    bool folder = false;
};

// Never waits: a FIFO opens at once. writesDenied: whether nothing else may write the file while
// it is open, where the system can hold a file so.
int openToRead(const std::string& path, bool& writesDenied);
// Whether a write to the open file since it was described as opened would have changed its
// change time: a file system known to keep it, and a change time older than the clock's tick
// when it was opened, so that any later write sets a later one.
bool changeTimeShowsWrites(int descriptor, const Info& opened);
// Fails with EEXIST when the name is taken.
int createNew(const std::filesystem::path& path);
// A file in folder without a name until linkUnnamed gives it one, so that a process killed
// before then leaves nothing behind; -1 where the system or its file system has none.
int createUnnamed(const std::filesystem::path& folder);
// Names a file that createUnnamed made; fails with EEXIST when the name is taken.
bool linkUnnamed(int descriptor, const std::filesystem::path& path);
bool close(int descriptor);

bool describe(int descriptor, Info& info);
bool describe(const std::filesystem::path& path, Info& info);
// Whether the file now under a name is still the one opened: the same file where the system
// tells files apart, else the same size and time.
bool sameFile(const Info& opened, const Info& named);

// One read or write call: fewer bytes than asked is no error.
std::int64_t readAt(int descriptor, std::uint64_t offset, char* buffer, std::size_t length);
std::int64_t writeSome(int descriptor, const char* bytes, std::size_t length);

// Whether the system can name a file so.
bool nameAllowed(const std::filesystem::path& target);
// Whether this process may write the existing file: replacing it must not do what writing may not.
bool mayWrite(const std::filesystem::path& existing);
// Gives a new file the mode and, where the process may, the owner of the file it replaces.
bool takeOver(int descriptor, const Info& replaced);
bool sync(int descriptor);
// Renames over the target; the system's error when it could not.
std::error_code replace(const std::filesystem::path& from, const std::filesystem::path& to);
// So that a rename survives a power cut; a no-op where the system has no such call.
bool syncFolder(const std::filesystem::path& folder);
// Safe in a signal handler.
void removeFromSignalHandler(const char* path);
// Standard output as bytes, never as text with its line ends translated.
void makeBinary(int descriptor);

// The settings' defaults that depend on the platform.
std::string defaultFolder();
std::string defaultEditor();

} // namespace NativeFile
