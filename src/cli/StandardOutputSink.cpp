#include "StandardOutputSink.h"

#include "core/FullWrite.h"
#include "core/os/NativeFile.h"

#include <cerrno>
#include <system_error>

StandardOutputSink::StandardOutputSink()
{
    NativeFile::makeBinary(1);
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
