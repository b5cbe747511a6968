#include "device/MDevProgramName.h"

#include <algorithm>

namespace {

// Length of the UTF-8 sequence a lead byte starts; 0 for a continuation or
// invalid byte, 1 for ASCII.
std::size_t SequenceLength(uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool IsContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::size_t MDevProgramName::CutLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    // Find the start of the sequence holding the last byte that fits (at
    // most three continuation bytes back); cut before it when the sequence
    // runs past the limit. Bytes that are not valid UTF-8 are cut anywhere.
    std::size_t start = limit;
    for (int back = 0; back < 4 && start > 0; ++back) {
        --start;
        const auto b = static_cast<uint8_t>(text[start]);
        if (!IsContinuation(b)) {
            const std::size_t length = SequenceLength(b);
            return (length > 1 && start + length > limit) ? start : limit;
        }
    }
    return limit;
}

void MDevProgramName::Set(std::string_view text) {
    bytes_.fill(0);
    const std::size_t n = CutLength(text, kSize);
    std::copy_n(text.begin(), n, bytes_.begin());
}

std::string MDevProgramName::Get() const {
    const auto end = std::find(bytes_.begin(), bytes_.end(), uint8_t{0});
    return std::string(bytes_.begin(), end);
}

void MDevProgramName::FromRecord(std::span<const uint8_t, kSize> bytes) {
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
    for (std::size_t i = kSize; i > 0 && bytes_[i - 1] == ' '; --i) bytes_[i - 1] = 0;
}

void MDevProgramName::ToRecord(std::span<uint8_t, kSize> bytes) const {
    std::copy(bytes_.begin(), bytes_.end(), bytes.begin());
    for (std::size_t i = kSize; i > 0 && bytes[i - 1] == 0; --i) bytes[i - 1] = ' ';
}

std::string MDevProgramName::AsText(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 0x20 || (b >= 0x7F && b < 0xA0)) {
            text.push_back('_');
        } else if (b < 0x80) {
            text.push_back(c);
        } else {
            text.push_back(static_cast<char>(0xC0 | (b >> 6)));
            text.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return text;
}

std::string FilterProgramName(std::string_view text) {
    std::string name;
    for (const char c : text) {
        if (name.size() == MDevProgramName::kSize) break;
        const auto byte = static_cast<uint8_t>(c);
        if (byte >= 0x20 && byte <= 0x7E) name.push_back(c);
    }
    return name;
}
