#include "StandardOutputSink.h"

#include "core/os/FullWrite.h"
#include "core/os/NativeFile.h"

StandardOutputSink::StandardOutputSink()
{
    NativeFile::makeBinary(1);
}

// Straight to the descriptor, unbuffered: the merge hands over whole blocks, and nothing else of
// the program writes there.
void StandardOutputSink::write(std::string_view bytes)
{
    if (!m_error && !writeFully(1, bytes))
        m_error = FileError::lastSystemError();
}

bool StandardOutputSink::commit()
{
    return !m_error;
}
