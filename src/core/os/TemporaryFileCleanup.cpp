// The temporary file being written, removed by a signal handler before the process ends.

#include "TemporaryFileCleanup.h"

#include "NativeFile.h"

#include <csignal>
#include <cstring>

namespace {

// A fixed buffer: a signal handler may neither allocate nor follow a std::string.
char g_path[4096];
volatile std::sig_atomic_t g_tracked = 0;

} // namespace

namespace TemporaryFileCleanup {

void track(const std::string& path)
{
    g_tracked = 0;
    if (path.size() >= sizeof g_path)
        return;
    std::memcpy(g_path, path.c_str(), path.size() + 1);
    g_tracked = 1;
}

void forget()
{
    g_tracked = 0;
}

void removeNow()
{
    if (!g_tracked)
        return;
    g_tracked = 0;
    NativeFile::removeFromSignalHandler(g_path);
}

} // namespace TemporaryFileCleanup
