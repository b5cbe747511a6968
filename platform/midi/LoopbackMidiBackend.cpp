#include "platform/midi/LoopbackMidiBackend.h"

#include <algorithm>
#include <utility>

#include "platform/midi/MidiMessage.h"
#include "platform/midi/MidiPortNames.h"
#include "platform/midi/MidiResult.h"

namespace midiport {

// The system's side of a pair's input.
class LoopbackInPort : public MidiInPort {
public:
    LoopbackInPort(std::shared_ptr<LoopbackPeer> peer, std::shared_ptr<LoopbackInput> input)
        : peer_(std::move(peer)), input_(std::move(input)) {}
    ~LoopbackInPort() override {
        if (open_) peer_->CloseIn(*input_, true);
    }
    int Start() override { return open_ ? peer_->StartIn(*input_) : kBadState; }
    int Reset() override { return open_ ? peer_->ResetIn(*input_) : kOk; }
    int Close() override {
        if (!open_) return kOk;
        const int result = peer_->CloseIn(*input_, false);
        if (result == kOk) open_ = false;
        return result;
    }
    uint64_t SysExBytesTaken() const override { return input_->SysExBytesTaken(); }
    void SetProgressHeader(std::vector<uint8_t> header) override {
        input_->SetProgressHeader(std::move(header));
    }

private:
    std::shared_ptr<LoopbackPeer> peer_;
    std::shared_ptr<LoopbackInput> input_;
    bool open_ = true;
};

// The system's side of a pair's output.
class LoopbackOutPort : public MidiOutPort {
public:
    explicit LoopbackOutPort(std::shared_ptr<LoopbackPeer> peer) : peer_(std::move(peer)) {}
    ~LoopbackOutPort() override {
        if (open_) peer_->CloseOut(true);
    }
    int SendShort(std::span<const uint8_t> message) override {
        if (!IsChannelMessage(message)) return kBadMessage;
        return open_ ? peer_->SendOut(std::vector<uint8_t>(message.begin(), message.end())) : kSendRefused;
    }
    int SendSysEx(std::vector<uint8_t> message) override {
        if (!IsSysExMessage(message)) return kBadMessage;
        return open_ ? peer_->SendOut(std::move(message)) : kSendRefused;
    }
    int Close() override {
        if (!open_) return kOk;
        const int result = peer_->CloseOut(false);
        if (result == kOk) open_ = false;
        return result;
    }
    // What crossed the wire to the peer (or was lost on it) counts as gone.
    MidiOutProgress Progress() const override { return peer_->OutProgress(); }

private:
    std::shared_ptr<LoopbackPeer> peer_;
    bool open_ = true;
};

std::shared_ptr<LoopbackPeer> LoopbackMidiBackend::CreatePair(const std::string& name, bool hardware) {
    auto peer = std::make_shared<LoopbackPeer>(name, hardware, input_);
    std::lock_guard lock(mutex_);
    pairs_.push_back(peer);
    return peer;
}

void LoopbackMidiBackend::RemovePair(const std::shared_ptr<LoopbackPeer>& peer) {
    std::lock_guard lock(mutex_);
    pairs_.erase(std::remove(pairs_.begin(), pairs_.end(), peer), pairs_.end());
}

std::vector<MidiPortInfo> LoopbackMidiBackend::Inputs() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    for (const auto& pair : pairs_) names.push_back(pair->Name());
    names = MakeUniquePortNames(names);
    std::vector<MidiPortInfo> ports;
    for (std::size_t i = 0; i < names.size(); ++i) ports.push_back({names[i], pairs_[i]->Hardware()});
    return ports;
}

std::vector<MidiPortInfo> LoopbackMidiBackend::Outputs() { return Inputs(); }

std::string LoopbackMidiBackend::InputName(int id) {
    const std::vector<MidiPortInfo> ports = Inputs();
    if (id < 0 || static_cast<std::size_t>(id) >= ports.size()) return {};
    return ports[static_cast<std::size_t>(id)].name;
}

std::string LoopbackMidiBackend::OutputName(int id) { return InputName(id); }

std::shared_ptr<LoopbackPeer> LoopbackMidiBackend::PairAt(int id) {
    std::lock_guard lock(mutex_);
    if (id < 0 || static_cast<std::size_t>(id) >= pairs_.size()) return nullptr;
    return pairs_[static_cast<std::size_t>(id)];
}

int LoopbackMidiBackend::OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) {
    auto pair = PairAt(id);
    if (!pair || !handler) return kOpenRefused;
    std::shared_ptr<LoopbackInput> input;
    const int result = pair->OpenIn(std::move(handler), input);
    if (result == kOk) port = std::make_unique<LoopbackInPort>(std::move(pair), std::move(input));
    return result;
}

int LoopbackMidiBackend::OpenOut(int id, std::unique_ptr<MidiOutPort>& port) {
    auto pair = PairAt(id);
    if (!pair) return kOpenRefused;
    const int result = pair->OpenOut();
    if (result == kOk) port = std::make_unique<LoopbackOutPort>(std::move(pair));
    return result;
}

void LoopbackMidiBackend::ReadInput(MidiCancel& stop) { input_->Read(stop); }

void LoopbackMidiBackend::WakeInput() { input_->Wake(); }

}  // namespace midiport
