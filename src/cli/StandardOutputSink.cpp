#include "StandardOutputSink.h"

#include "core/GatheredWrite.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

StandardOutputSink::StandardOutputSink()
{
#ifdef _WIN32
    // Text mode would turn every LF of a CR LF into another CR LF.
    _setmode(1, _O_BINARY);
#endif
}

void StandardOutputSink::write(std::string_view bytes)
{
    write(std::span<const std::string_view>(&bytes, 1));
}

// Straight to the descriptor, unbuffered: nothing else of the program writes there.
void StandardOutputSink::write(std::span<const std::string_view> pieces)
{
    if (m_error.empty() && !writeGathered(1, pieces))
        m_error = std::generic_category().message(errno);
}

bool StandardOutputSink::commit()
{
    return m_error.empty();
}
