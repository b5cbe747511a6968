#pragma once
// A small random source with a fixed algorithm (SplitMix64), so the same
// seed gives the same bank on every platform and library: the standard
// distributions may differ between library implementations.

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n); 0 for n <= 0.
    int Below(int n) {
        if (n <= 0) return 0;
        return static_cast<int>(Next() % static_cast<std::uint64_t>(n));
    }

    // Uniform in [low, high] (the bounds in either order).
    int Between(int low, int high) {
        if (low > high) std::swap(low, high);
        return low + Below(high - low + 1);
    }

    // True with the given chance in percent.
    bool Percent(int chance) { return Below(100) < chance; }

    // Around `centre` by at most `spread` either way, kept in [low, high].
    int Near(int centre, int spread, int low, int high) {
        const int v = Between(centre - spread, centre + spread);
        return v < low ? low : (v > high ? high : v);
    }

    template <class T>
    const T& Pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

    template <class T>
    void Shuffle(std::span<T> items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<std::size_t>(Below(static_cast<int>(i)))]);
    }

private:
    std::uint64_t state_;
};
