#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

// Writes a file under a temporary name in the target's folder and renames it over the target
// on commit, so the target is either the complete new file or untouched. Until the commit the
// target can still be read, even when it is also one of the writer's inputs.
class AtomicFileWriter
{
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter(); // removes the temporary file unless committed

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False with error() set when the temporary file cannot be created.
    bool open();
    void write(std::string_view bytes);
    // Flushes, closes and renames; false with error() set when any write failed.
    bool commit();

    const std::string& error() const { return m_error; }

private:
    bool flushBuffer();
    void fail(const std::string& reason);

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::ofstream m_stream;
    std::vector<char> m_buffer;
    std::size_t m_buffered = 0;
    std::string m_error;
    bool m_committed = false;
};
