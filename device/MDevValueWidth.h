#pragma once
// Storage widths of parameter values: a value is kept truncated to its
// field's width, as the synth's own data structures hold it.

#include <cstdint>

enum class MDevValueWidth { U8, S8, U16, S32 };

constexpr int32_t MDevStoreAs(MDevValueWidth width, int32_t value) {
    switch (width) {
    case MDevValueWidth::U8: return static_cast<int32_t>(static_cast<uint32_t>(value) & 0xFFu);
    case MDevValueWidth::S8:
        return static_cast<int8_t>(static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu));
    case MDevValueWidth::U16: return static_cast<int32_t>(static_cast<uint32_t>(value) & 0xFFFFu);
    case MDevValueWidth::S32: return value;
    }
    return value;
}
