#pragma once
// One timbre of a program in voice mode Single or Layer: 65 synthesis
// parameters (t = 0-64) and their 108-byte block of the program record.

#include <array>
#include <cstdint>
#include <span>
#include <string>

class MDevDescZEPHATimbre {
public:
    static constexpr int kParamCount = 65;
    static constexpr std::size_t kBlockSize = 108;

    // index 0 is Timbre 1, 1 is Timbre 2 (used for the name prefix only).
    explicit MDevDescZEPHATimbre(int index = 0) : index_(index) {}

    // Stores the index and sets every value to its default.
    void SetDefaults(int index);
    // t outside 0-64 stores nothing / reads as 0.
    void SetParam(int t, int32_t value);
    int32_t GetParam(int t) const;
    std::string GetValueText(int t) const;
    // "Timbre 1 " or "Timbre 2 " followed by the parameter's name.
    std::string GetParamName(int t) const;
    std::string GetUnitText(int t) const;

    void FromBytes(std::span<const uint8_t, kBlockSize> block);
    // Writes block bytes 0-51 over the block's current content; bytes 11 and
    // 52-107 and the bits outside each field's kept mask stay as they are.
    void ToBytes(std::span<uint8_t, kBlockSize> block) const;

private:
    std::array<int32_t, kParamCount> values_{};
    int index_;
};
