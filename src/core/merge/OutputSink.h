#pragma once

#include "core/os/FileError.h"

#include <string_view>

// Where the merged program goes. Bytes are taken in order; commit ends the output and says
// whether all of it arrived.
class OutputSink
{
public:
    virtual ~OutputSink() = default;

    virtual void write(std::string_view bytes) = 0;
    // False with error() set when any write failed.
    virtual bool commit() = 0;
    virtual const FileError& error() const = 0;
};
