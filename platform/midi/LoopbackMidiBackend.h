#pragma once
// In-process MIDI ports for tests: each port pair a test creates shows up as
// one input and one output, and its far side is a LoopbackPeer. What the
// peers send waits in one input queue until ReadInput takes it, as a
// sequencer client's input waits in the kernel.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midi/LoopbackPeer.h"
#include "platform/midi/MidiBackend.h"

namespace midiport {

class LoopbackMidiBackend : public MidiBackend {
public:
    // Adds a pair at the end of both port lists.
    std::shared_ptr<LoopbackPeer> CreatePair(const std::string& name, bool hardware = true);
    // Takes a pair out of the lists (as if unplugged); open ports keep
    // working until closed.
    void RemovePair(const std::shared_ptr<LoopbackPeer>& peer);

    std::vector<MidiPortInfo> Inputs() override;
    std::vector<MidiPortInfo> Outputs() override;
    // Ids are positions in the current list.
    std::string InputName(int id) override;
    std::string OutputName(int id) override;
    int OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) override;
    int OpenOut(int id, std::unique_ptr<MidiOutPort>& port) override;
    void ReadInput(MidiCancel& stop) override;
    void WakeInput() override;

private:
    std::shared_ptr<LoopbackPeer> PairAt(int id);

    std::mutex mutex_;
    std::vector<std::shared_ptr<LoopbackPeer>> pairs_;
    const std::shared_ptr<LoopbackInputQueue> input_ = std::make_shared<LoopbackInputQueue>();
};

}  // namespace midiport
