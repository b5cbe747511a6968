#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Where MFile::WriteContents puts a file's bytes. Save hands in a sink that
// collects them before the file is written; tests can wrap it to fail after
// some bytes.
class MFileSink {
public:
    virtual ~MFileSink() = default;
    // Takes the bytes; returns how many were written (fewer on failure).
    virtual std::size_t Write(std::span<const std::uint8_t> bytes) = 0;
};
