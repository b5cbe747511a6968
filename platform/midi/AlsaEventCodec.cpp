#include "platform/midi/AlsaEventCodec.h"

#include "platform/midi/MidiMessage.h"

namespace midiport {

namespace {

// Large enough for any event but a system-exclusive one: a parameter-number
// controller decodes to four controller messages.
constexpr std::size_t kCodecBytes = 16;

}  // namespace

AlsaEventCodec::AlsaEventCodec() {
    if (snd_midi_event_new(kCodecBytes, &encoder_) < 0) encoder_ = nullptr;
    if (snd_midi_event_new(kCodecBytes, &decoder_) < 0) decoder_ = nullptr;
    // Every message decoded with its own status byte: the framer takes each
    // event's bytes as they come and must not depend on running status.
    if (decoder_ != nullptr) snd_midi_event_no_status(decoder_, 1);
}

AlsaEventCodec::~AlsaEventCodec() {
    if (encoder_ != nullptr) snd_midi_event_free(encoder_);
    if (decoder_ != nullptr) snd_midi_event_free(decoder_);
}

std::vector<uint8_t> AlsaEventCodec::ToBytes(const snd_seq_event_t& event) {
    if (event.type == SND_SEQ_EVENT_SYSEX) {
        // Only a variable-length event owns the bytes its pointer claims.
        if ((event.flags & SND_SEQ_EVENT_LENGTH_MASK) != SND_SEQ_EVENT_LENGTH_VARIABLE ||
            event.data.ext.ptr == nullptr)
            return {};
        const auto* data = static_cast<const uint8_t*>(event.data.ext.ptr);
        return std::vector<uint8_t>(data, data + event.data.ext.len);
    }
    if (decoder_ == nullptr || snd_seq_ev_is_variable(&event)) return {};
    unsigned char buffer[kCodecBytes];
    snd_midi_event_reset_decode(decoder_);
    const long n = snd_midi_event_decode(decoder_, buffer, sizeof buffer, &event);
    if (n <= 0) return {};
    return std::vector<uint8_t>(buffer, buffer + n);
}

bool AlsaEventCodec::ChannelEvent(std::span<const uint8_t> message, snd_seq_event_t& event) {
    if (encoder_ == nullptr || !IsChannelMessage(message)) return false;
    snd_seq_ev_clear(&event);
    snd_midi_event_reset_encode(encoder_);
    const long used =
        snd_midi_event_encode(encoder_, message.data(), static_cast<long>(message.size()), &event);
    return used == static_cast<long>(message.size()) && event.type != SND_SEQ_EVENT_NONE;
}

void AlsaEventCodec::SysExEvent(std::span<const uint8_t> chunk, snd_seq_event_t& event) {
    snd_seq_ev_clear(&event);
    snd_seq_ev_set_sysex(&event, static_cast<unsigned>(chunk.size()), const_cast<uint8_t*>(chunk.data()));
}

}  // namespace midiport
