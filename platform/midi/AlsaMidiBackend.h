#pragma once
// MIDI ports of the ALSA sequencer. The program is one sequencer client; each
// open input or output is a port of its own, connected to the chosen port.
// Received events are turned back into bytes and framed by a
// MidiInputFramer; output goes through a MidiSendQueue and is paced, a
// system-exclusive message as events of at most 256 bytes. Where the machine
// has no sequencer (no /dev/snd/seq) both lists are empty and every open
// fails with kOpenRefused.

#include <cstdint>
#include <memory>

#include "platform/midi/MidiBackend.h"
#include "platform/midi/MidiPacer.h"

namespace midiport {

class AlsaMidiBackend : public MidiBackend {
public:
    explicit AlsaMidiBackend(uint32_t bytesPerSecond = MidiPacer::kDefaultBytesPerSecond);
    ~AlsaMidiBackend() override;

    AlsaMidiBackend(const AlsaMidiBackend&) = delete;
    AlsaMidiBackend& operator=(const AlsaMidiBackend&) = delete;

    // True when the sequencer could be opened.
    bool Available() const;

    std::vector<MidiPortInfo> Inputs() override;
    std::vector<MidiPortInfo> Outputs() override;
    int OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) override;
    int OpenOut(int id, std::unique_ptr<MidiOutPort>& port) override;

    class Sequencer;

private:
    std::shared_ptr<Sequencer> seq_;
    uint32_t bytesPerSecond_;
};

}  // namespace midiport
