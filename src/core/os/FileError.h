#pragma once

#include <cerrno>
#include <system_error>

// Why a file could not be used, as data: the program that shows it words it.
struct FileError
{
    enum class Cause
    {
        None,
        System,           // the operating system's error, in code
        NotRegularFile,   // a folder, FIFO, device or socket
        ChangedSincePlan, // other bytes than the plan read
        ChangedWhileRead, // other bytes, or another file, than were read
        NameNotAllowed,   // a name the system cannot give a file (Windows: a trailing dot or blank)
        NoTemporaryName,  // every temporary name tried in the output's folder was taken
        TooLarge,         // larger than a file of its kind may be
        Cancelled,
    };

    FileError() = default;
    FileError(Cause why, std::error_code systemCode = {}) : cause(why), code(systemCode) {}

    Cause cause = Cause::None;
    std::error_code code; // of Cause::System

    static FileError system(int error) { return {Cause::System, {error, std::generic_category()}}; }
    static FileError lastSystemError() { return system(errno); }

    explicit operator bool() const { return cause != Cause::None; }
    bool operator==(const FileError&) const = default;
};
