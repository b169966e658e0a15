#pragma once

#include "OutputSink.h"
#include "core/os/NativeFile.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// Writes a file in the target's folder, without a name where the system allows it (nothing is
// left behind by a process killed while writing) or else under a short temporary one, syncs it,
// names it and renames it over the target on commit, so the target is either the complete new
// file or untouched; until then it can still be read, even when it is also one of the inputs. A
// symbolic link is followed: its target is replaced and the link stays. The old file's mode, and
// where the process may its owner, are kept.
class AtomicFileWriter : public OutputSink
{
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter() override; // removes the temporary file unless committed

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False with error() set when the target may not be replaced (not a regular file, not
    // writable) or the temporary file cannot be created.
    bool open();
    void write(std::string_view bytes) override;
    // Writes, syncs, renames and syncs the folder; false with error() set when any step failed.
    bool commit() override;
    const FileError& error() const override { return m_error; }

private:
    bool resolveTarget();
    // Takes over the mode and owner of the file it replaces, when there is one.
    bool createTemporary(const NativeFile::Info* replaced);
    // Gives the unnamed file its temporary name, to be renamed over the target.
    bool nameTemporary();
    bool flushBuffer();
    bool writeAll(const char* data, std::size_t length);
    void removeTemporary();
    bool fail(FileError error);

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    int m_descriptor = -1;
    bool m_unnamed = false;
    std::unique_ptr<char[]> m_buffer; // not zeroed: only what was written to it is used
    std::size_t m_buffered = 0;
    FileError m_error;
};
