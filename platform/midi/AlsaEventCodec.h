#pragma once
// Converts between MIDI bytes and sequencer events, both ways, without a
// sequencer. A system-exclusive message travels as one or more SYSEX events,
// each carrying a chunk of its bytes (F0 in the first, F7 in the last); a
// channel message as one event of its own type. One instance per thread.

#include <alsa/asoundlib.h>

#include <cstdint>
#include <span>
#include <vector>

namespace midiport {

class AlsaEventCodec {
public:
    AlsaEventCodec();
    ~AlsaEventCodec();
    AlsaEventCodec(const AlsaEventCodec&) = delete;
    AlsaEventCodec& operator=(const AlsaEventCodec&) = delete;

    // The MIDI bytes a received event stands for: a channel message (or the
    // several a 14-bit or parameter-number controller stands for), a chunk
    // of a system-exclusive message, a real-time byte; empty for events
    // that carry no MIDI bytes (announcements, malformed events).
    std::vector<uint8_t> ToBytes(const snd_seq_event_t& event);

    // One channel message as an event; false when `message` is not one.
    bool ChannelEvent(std::span<const uint8_t> message, snd_seq_event_t& event);

    // A chunk of a system-exclusive message as an event that points at the
    // chunk (which must outlive the event's use).
    static void SysExEvent(std::span<const uint8_t> chunk, snd_seq_event_t& event);

private:
    snd_midi_event_t* encoder_ = nullptr;
    snd_midi_event_t* decoder_ = nullptr;
};

}  // namespace midiport
