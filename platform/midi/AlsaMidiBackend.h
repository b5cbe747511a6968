#pragma once
// MIDI ports of the ALSA sequencer. The program is one sequencer client; each
// open input or output is a port of its own, connected to the chosen port.
// The lists hold the ports of other clients that a synth can be reached
// through (see AlsaSeqClient::List); a port is opened by its name.
// Received events are turned back into bytes and framed by a
// MidiInputFramer; output goes through a MidiSendQueue and is paced, a
// system-exclusive message as events of at most 256 bytes. The client hears
// the sequencer's announcements: a port whose peer goes away reports
// kPortGone and a PortGone notice, a change of the lists a PortsChanged
// notice. The client's input (events and announcements alike) is read by
// the thread that calls ReadInput. Where the machine has no sequencer (no /dev/snd/seq) both lists
// are empty and every open fails with kOpenRefused.

#include <cstdint>
#include <memory>

#include "platform/midi/AlsaSeqIo.h"
#include "platform/midi/MidiBackend.h"
#include "platform/midi/MidiClock.h"
#include "platform/midi/MidiPacer.h"

namespace midiport {

class AlsaSeqClient;

class AlsaMidiBackend : public MidiBackend {
public:
    // The machine's sequencer and clock.
    explicit AlsaMidiBackend(uint32_t bytesPerSecond = MidiPacer::kDefaultBytesPerSecond);
    // Any sequencer and clock (tests give fakes); a null `seq` stands for a
    // machine without a sequencer.
    AlsaMidiBackend(std::unique_ptr<AlsaSeqIo> seq, std::shared_ptr<MidiClock> clock,
                    uint32_t bytesPerSecond = MidiPacer::kDefaultBytesPerSecond);
    ~AlsaMidiBackend() override;

    AlsaMidiBackend(const AlsaMidiBackend&) = delete;
    AlsaMidiBackend& operator=(const AlsaMidiBackend&) = delete;

    // True when the sequencer could be opened.
    bool Available() const;

    std::vector<MidiPortInfo> Inputs() override;
    std::vector<MidiPortInfo> Outputs() override;
    std::string InputName(int id) override;
    std::string OutputName(int id) override;
    int OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) override;
    int OpenOut(int id, std::unique_ptr<MidiOutPort>& port) override;
    void ReadInput(MidiCancel& stop) override;
    void WakeInput() override;
    void SetNoticeHandler(MidiNoticeHandler handler) override;

private:
    std::shared_ptr<AlsaSeqClient> client_;
    uint32_t bytesPerSecond_;
};

}  // namespace midiport
