#pragma once
// Sinks a file's bytes go through in the tests: one that collects them in
// memory, one that fails part way (a disk that fills up).

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "midifile/MFileSink.h"

// Passes bytes on to another sink until `budget` bytes went through, then
// refuses the rest (a disk that fills up).
class FailingSink : public MFileSink {
public:
    FailingSink(MFileSink& target, std::size_t budget) : target_(target), budget_(budget) {}
    std::size_t Write(std::span<const std::uint8_t> bytes) override {
        const std::size_t n = std::min(bytes.size(), budget_);
        const std::size_t done = target_.Write(bytes.first(n));
        budget_ -= done;
        return done;
    }

private:
    MFileSink& target_;
    std::size_t budget_;
};

// Collects bytes in memory.
class VectorSink : public MFileSink {
public:
    std::size_t Write(std::span<const std::uint8_t> b) override {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return b.size();
    }
    std::vector<std::uint8_t> bytes;
};
