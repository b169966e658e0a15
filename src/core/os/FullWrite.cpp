// Writes that go on until every byte is written or an error stops them.

#include "FullWrite.h"

#include "NativeFile.h"

#include <cerrno>

bool writeFully(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::int64_t written = NativeFile::writeSome(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
