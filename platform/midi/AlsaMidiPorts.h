#pragma once
// The open ports of the ALSA backend, each one port of this sequencer client
// connected to the chosen peer.

#include <cstdint>
#include <memory>

#include "platform/midi/AlsaSeqClient.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiOutPort.h"

namespace midiport {

std::unique_ptr<MidiInPort> MakeAlsaInPort(std::shared_ptr<AlsaSeqClient> client,
                                           std::shared_ptr<AlsaPortLink> link);
std::unique_ptr<MidiOutPort> MakeAlsaOutPort(std::shared_ptr<AlsaSeqClient> client,
                                             std::shared_ptr<AlsaPortLink> link, uint32_t bytesPerSecond);

}  // namespace midiport
