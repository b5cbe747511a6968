#include "platform/midi/MidiMessage.h"

#include <algorithm>

namespace midiport {

bool IsChannelMessage(std::span<const uint8_t> message) {
    if (message.empty()) return false;
    const int count = ChannelDataCount(message[0]);
    if (count < 0 || message.size() != static_cast<std::size_t>(count) + 1) return false;
    return std::none_of(message.begin() + 1, message.end(), IsStatus);
}

bool IsSysExMessage(std::span<const uint8_t> message) {
    if (message.size() < 3 || message.front() != kSysExStart || message.back() != kSysExEnd) return false;
    return std::none_of(message.begin() + 1, message.end() - 1, IsStatus);
}

}  // namespace midiport
