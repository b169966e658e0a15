#pragma once

#include "core/merge/OutputSink.h"

// The merge written to standard output, as it comes: nothing is replaced, so a merge that fails
// half way leaves half a program in the pipe, and the exit status says so.
class StandardOutputSink : public OutputSink
{
public:
    StandardOutputSink();

    void write(std::string_view bytes) override;
    bool commit() override;
    const FileError& error() const override { return m_error; }

private:
    FileError m_error;
};
