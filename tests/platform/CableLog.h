#pragma once
// What an output put out, chunk by chunk on a fake clock, and the MIDI cable
// behind it: the cable takes each chunk as it comes and carries it at
// 3,125 bytes/s. The kernel keeps at most a few KB in front of the cable
// and drops the rest, so the pacing must never be more than 1,024 bytes
// ahead of it.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cable {

inline constexpr uint64_t kBytesPerSecond = 3125;
inline constexpr uint64_t kBucket = 1024;

class CableLog {
public:
    using Duration = std::chrono::nanoseconds;

    // A chunk of `bytes` put out at `at` (from any fixed start).
    void Put(Duration at, std::size_t bytes) {
        const double seconds = std::chrono::duration<double>(at).count();
        starts_ += puts_.empty() || seconds > free_ ? 1 : 0;
        free_ =
            std::max(puts_.empty() ? seconds : free_, seconds) + static_cast<double>(bytes) / kBytesPerSecond;
        puts_.push_back({at, bytes});
    }

    bool Empty() const { return puts_.empty(); }
    std::size_t Chunks() const { return puts_.size(); }
    // Seconds since the first chunk at which the cable has carried them all.
    double Free() const {
        return puts_.empty() ? 0 : free_ - std::chrono::duration<double>(puts_.front().at).count();
    }
    // When the cable is done, on the clock of Put.
    double FreeAt() const { return free_; }
    // The bytes of chunk `from` on that were put out at `at`.
    std::size_t BytesAt(Duration at, std::size_t from = 0) const {
        std::size_t bytes = 0;
        for (std::size_t i = from; i < puts_.size(); ++i) bytes += puts_[i].at == at ? puts_[i].bytes : 0;
        return bytes;
    }
    // How often the cable started after standing idle (1: it never ran dry).
    int Starts() const { return starts_; }

    // The bytes put out in any interval [t0, t] are at most
    // kBucket + kBytesPerSecond * (t - t0); exact, in nanoseconds.
    ::testing::AssertionResult StaysWithinTheBucket() const {
        for (std::size_t i = 0; i < puts_.size(); ++i) {
            uint64_t bytes = 0;
            for (std::size_t j = i; j < puts_.size(); ++j) {
                bytes += puts_[j].bytes;
                const auto window = static_cast<uint64_t>((puts_[j].at - puts_[i].at).count());
                if (bytes * 1'000'000'000ull > kBucket * 1'000'000'000ull + kBytesPerSecond * window)
                    return ::testing::AssertionFailure()
                           << bytes << " bytes put out in " << static_cast<double>(window) / 1e6
                           << " ms from " << std::chrono::duration<double>(puts_[i].at).count() << " s";
            }
        }
        return ::testing::AssertionSuccess();
    }

private:
    struct Chunk {
        Duration at;
        std::size_t bytes;
    };
    std::vector<Chunk> puts_;
    double free_ = 0;
    int starts_ = 0;
};

}  // namespace cable
