// Feeds arbitrary bytes, in pieces of arbitrary size, to the input framer:
// whatever it delivers must be one complete, well-formed message within the
// cap.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>

#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte chooses the piece size and a small cap, so over-cap
    // messages are reached too.
    const std::size_t piece = (data[0] & 0x0F) + 1;
    const std::size_t cap = (data[0] & 0x80) ? 16 : midiport::kDefaultSysExCap;
    midiport::MidiInputFramer framer(cap);
    // Bit 6 limits the progress count to one maker's messages.
    if (data[0] & 0x40) framer.SetProgressHeader({0xF0, 0x42, 0x30});
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    const auto check = [cap](std::span<const uint8_t> m) {
        const bool ok = midiport::IsChannelMessage(m) || (midiport::IsSysExMessage(m) && m.size() <= cap);
        if (!ok) std::abort();
    };
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        framer.Feed(bytes.subspan(at, std::min(piece, bytes.size() - at)), check);
    return 0;
}
