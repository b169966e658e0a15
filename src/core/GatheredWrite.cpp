#include "GatheredWrite.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <climits>
#include <sys/uio.h>
#include <unistd.h>
#endif

bool writeGathered(int descriptor, std::span<const std::string_view> pieces)
{
#ifdef _WIN32
    for (std::string_view piece : pieces)
        while (!piece.empty()) {
            const int written =
                _write(descriptor, piece.data(),
                       static_cast<unsigned>(std::min<std::size_t>(piece.size(), 1u << 30)));
            if (written < 0)
                return false;
            piece.remove_prefix(static_cast<std::size_t>(written));
        }
    return true;
#else
    std::vector<iovec> vectors;
    for (std::size_t first = 0; first < pieces.size(); first += IOV_MAX) {
        vectors.clear();
        for (std::size_t i = first; i < std::min<std::size_t>(pieces.size(), first + IOV_MAX); ++i)
            if (!pieces[i].empty())
                vectors.push_back({const_cast<char*>(pieces[i].data()), pieces[i].size()});
        iovec* vector = vectors.data();
        iovec* const end = vector + vectors.size();
        while (vector != end) {
            const ssize_t written = ::writev(descriptor, vector, static_cast<int>(end - vector));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            // A write may stop part way through a piece: go on from there.
            for (auto done = static_cast<std::size_t>(written); vector != end;) {
                const std::size_t step = std::min(done, vector->iov_len);
                vector->iov_base = static_cast<char*>(vector->iov_base) + step;
                vector->iov_len -= step;
                done -= step;
                if (vector->iov_len > 0)
                    break;
                ++vector;
            }
        }
    }
    return true;
#endif
}
