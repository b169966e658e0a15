#include "StandardOutputSink.h"

#include "core/FullWrite.h"

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

// Straight to the descriptor, unbuffered: the merge hands over whole blocks, and nothing else of
// the program writes there.
void StandardOutputSink::write(std::string_view bytes)
{
    if (m_error.empty() && !writeFully(1, bytes))
        m_error = std::generic_category().message(errno);
}

bool StandardOutputSink::commit()
{
    return m_error.empty();
}
