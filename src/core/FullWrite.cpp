#include "FullWrite.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

bool writeFully(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
#ifdef _WIN32
        const int written =
            _write(descriptor, bytes.data(),
                   static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30)));
#else
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
#endif
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
