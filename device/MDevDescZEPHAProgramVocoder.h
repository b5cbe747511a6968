#pragma once
// The vocoder part of a program in voice mode Vocoder: 84 values (k = 0-83)
// and their 142-byte block of the program record. The model gives these
// values no names, value texts or units; the Vocoder page labels them.

#include <array>
#include <cstdint>
#include <span>
#include <string>

class MDevDescZEPHAProgramVocoder {
public:
    static constexpr int kParamCount = 84;
    static constexpr std::size_t kBlockSize = 142;
    static constexpr int kFirstChannelLevel = 52;  // k52-k59, two bytes each
    static constexpr int kFirstChannelPan = 60;    // k60-k67, two bytes each
    static constexpr int kFirstHoldLevel = 68;     // k68-k83, 32-bit big-endian
    static constexpr int kChannelCount = 8;
    static constexpr int kHoldLevelCount = 16;

    // Sets every value to its default, in ascending order of k.
    void Init();
    // k outside 0-83 stores nothing / reads as 0.
    void SetParam(int k, int32_t value);
    int32_t GetParam(int k) const;
    std::string GetValueText(int k) const;
    std::string GetParamName(int k) const;
    std::string GetUnitText(int k) const;

    void FromBytes(std::span<const uint8_t, kBlockSize> block);
    // Writes block bytes 0-141 over the block's current content; bytes 11
    // and 13 and the bits outside each field's kept mask stay as they are.
    void ToBytes(std::span<uint8_t, kBlockSize> block) const;

private:
    std::array<int32_t, kParamCount> values_{};
};
