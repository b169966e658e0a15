#pragma once

#include "ContentDigest.h"
#include "core/os/FileError.h"
#include "core/os/NativeFile.h"

#include <cstdint>
#include <optional>
#include <string>

// The size and modification time of a file as it was opened: a file whose stamp differs later
// is no longer the file that was read.
struct FileStamp
{
    std::uint64_t size = 0;
    std::int64_t modified = 0; // nanoseconds since the epoch, as precise as the system keeps it

    bool operator==(const FileStamp&) const = default;
};

// How a file read whole proves it still holds what was read.
enum class UnchangedProof
{
    SecondReading, // read again and digested
    ChangeTime,    // its change time, which every write sets, is the same
    WritesDenied,  // held open so that nothing could write it
};

// A regular file opened for reading, never blocking: a FIFO, device, socket or folder is not
// opened at all. Reads go to explicit offsets, so one descriptor serves every scan of the file.
// The bytes read in order from the start are digested as they pass, so that a file read whole
// can prove later that it still holds them.
class InputFile
{
public:
    InputFile() = default;
    ~InputFile();
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    enum class OpenResult
    {
        Opened,
        Unreadable,     // missing or not to be read with the user's rights
        NotRegularFile, // a folder, FIFO, device or socket
        Failed,         // any other error (too many open files, an I/O error): not the file's fault
    };
    // Opens path (UTF-8); error() says why not. readAgain: proved unchanged by a second reading
    // whatever else could prove it.
    OpenResult open(const std::string& path, bool readAgain = false);

    // Reads up to length bytes at offset; the count read, or -1 with error() set. Bytes that
    // continue the digested ones are digested, unless digest is false: then the caller gives
    // them to addToDigest itself, in order, before the file is read again.
    std::int64_t readAt(std::uint64_t offset, char* buffer, std::size_t length, bool digest = true);
    void addToDigest(std::uint64_t offset, const char* bytes, std::size_t count);
    // True while the file is as it was opened: still under its name, with the same stamp and
    // nothing past its end, and, once it was read whole, the same bytes (read again through
    // scratch): a same-size rewrite within one tick of the file system's clock keeps the stamp.
    bool unchanged(char* scratch, std::size_t scratchSize);
    // The same, with the digest of the second reading given (nothing when it failed), read
    // elsewhere with digestOf.
    bool unchanged(const std::optional<ContentDigest>& secondReading);
    // Whether the bytes read in order from the start reached its end.
    bool readWhole() const { return m_digest.bytes() == m_stamp.size; }
    // Whether unchanged reads the file again: once it was read whole, where neither its change
    // time nor the system's lock proves it; or always, when asked to at the open.
    bool readsAgain() const { return readWhole() && m_proof == UnchangedProof::SecondReading; }
    UnchangedProof proof() const { return m_proof; }
    // Reads [offset, offset + length) through scratch and digests it: nothing when a read fails
    // or comes short. offset is a multiple of ContentDigest::kStripe; several threads may read
    // parts of the file at once.
    std::optional<ContentDigest> digestOf(std::uint64_t offset, std::uint64_t length, char* scratch,
                                          std::size_t scratchSize) const;
    // The digest of the bytes read so far in order from the start: of the whole file once it
    // was read whole.
    std::uint64_t digest() const { return m_digest.value(); }

    const FileStamp& stamp() const { return m_stamp; }
    std::uint64_t size() const { return m_stamp.size; }
    const FileError& error() const { return m_error; }

private:
    void close();

    int m_descriptor = -1;
    std::string m_path;
    NativeFile::Info m_opened;
    FileStamp m_stamp;
    UnchangedProof m_proof = UnchangedProof::SecondReading;
    ContentDigest m_digest;
    FileError m_error;
};
