#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "midifile/MErrorCode.h"
#include "midifile/MFileSink.h"

// One file opened for reading, with its size and a position; Save creates a
// file whose contents a subclass writes through WriteContents.
class MFile {
public:
    static constexpr int kSeekBegin = 0;
    static constexpr int kSeekCurrent = 1;
    static constexpr int kSeekEnd = 2;

    MFile() = default;
    virtual ~MFile();
    MFile(const MFile&) = delete;
    MFile& operator=(const MFile&) = delete;

    // Opens an existing regular file for reading: 0, or 1 (not open then).
    // Anything else (a FIFO, a device, a folder) is refused without being
    // opened, so opening never waits.
    virtual int Open(const std::filesystem::path& path);
    // Writes the file's contents (from WriteContents) into a temporary file
    // beside the target and renames it over the target only when everything
    // was written, so a failed save leaves an existing file untouched. The
    // file and then its folder are synced, so a saved file survives a power
    // cut. The name itself is replaced: a symbolic link standing there
    // becomes a file and what it pointed to is left alone. A replaced regular
    // file keeps its owner, group and permission bits. Where no such
    // temporary can be made, an existing regular file that this user may also
    // read is overwritten in place, but only when the disk has room for the
    // new contents, and a write that fails part-way puts the old bytes back.
    // A file this user may not write, or with no write bit for anyone, is
    // refused, and so is anything that is not a regular file or a link. -1
    // when the file cannot be created, written or put in place, else
    // WriteContents' result. The hidden flag has no meaning on this platform
    // and is ignored.
    virtual int Save(const std::filesystem::path& path, int hidden = 0, int argument = 0);
    // Reads exactly count bytes: 0, or 4 (not open, or fewer bytes available).
    virtual int Read(void* destination, std::size_t count);
    // Moves the position (origin kSeekBegin, kSeekCurrent, kSeekEnd): 0, or 7.
    virtual int Seek(std::int64_t distance, int origin);
    // The position when open, else 0.
    virtual std::int64_t GetPosition() const;
    // Writes the file's contents into the sink; the base writes nothing.
    virtual int WriteContents(MFileSink& sink, int argument);

    // Write to the sink: 0, or 5 on a short write. The position grows by the
    // bytes written.
    int Write(MFileSink& sink, const void* data, std::size_t count);
    int WriteByte(MFileSink& sink, std::uint8_t byte);

    // Reverses a 2- or 4-byte field in place; other widths change nothing.
    static void SwapBytes(void* field, int width);

    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    std::uint64_t GetSize() const { return size_; }
    bool IsLoaded() const { return loaded_; }

protected:
    void SetSize(std::uint64_t size) { size_ = size; }
    void SetLoaded(bool loaded) { loaded_ = loaded; }

private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::int64_t position_ = 0;
    bool loaded_ = false;
};
