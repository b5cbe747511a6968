#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "midifile/MFile.h"

// A whole file held in memory (read at Open, or a caller's buffer attached),
// read through a cursor that never leaves the buffer.
class MFileMem : public MFile {
public:
    MFileMem() = default;
    ~MFileMem() override = default;

    // Reads the whole file into an owned buffer; the file is closed again in
    // every case. 0, or the first failing step's code (1, 4, 11); 12 for a
    // file above the size limit, refused before any of it is read.
    int Open(const std::filesystem::path& path) override;
    // The largest file Open accepts; none unless set.
    void SetSizeLimit(std::uint64_t bytes) { sizeLimit_ = bytes; }
    // Copies count bytes from the cursor: 0; 7 with no buffer; 4 when fewer
    // than count bytes remain (nothing is copied).
    int Read(void* destination, std::size_t count) override;
    // Moves the cursor: 0; 7 with no buffer or a target outside the buffer.
    int Seek(std::int64_t distance, int origin) override;
    std::int64_t GetPosition() const override;

    // Uses the caller's bytes (not owned; the caller keeps them alive while
    // they are attached). The size becomes the span's size.
    virtual int Attach(std::span<const std::uint8_t> buffer);
    // An owned buffer of count zero bytes: 0, or 11 (no buffer then).
    virtual int Allocate(std::size_t count);
    // Drops the buffer (an attached one is left to its owner).
    virtual void Free();

    void Close();
    bool HasBuffer() const { return held_; }
    // The bytes held (empty with no buffer).
    std::span<const std::uint8_t> GetData() const { return data_; }

private:
    std::vector<std::uint8_t> owned_;
    std::span<const std::uint8_t> data_;
    bool held_ = false;
    std::size_t cursor_ = 0;
    std::uint64_t sizeLimit_ = UINT64_MAX;
};
