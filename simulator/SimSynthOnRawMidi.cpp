#include "simulator/SimSynthOnRawMidi.h"

#include <chrono>

#include "platform/midi/MidiMessage.h"

void SimRunningStatus::Expand(std::uint8_t byte, std::vector<std::uint8_t>& out) {
    if (midiport::IsRealTime(byte)) {
        out.push_back(byte);
        return;
    }
    if (midiport::IsStatus(byte)) {
        const bool channel = midiport::IsChannelStatus(byte);
        status_ = channel ? byte : 0;
        missing_ = channel ? midiport::ChannelDataCount(byte) : 0;
        out.push_back(byte);
        return;
    }
    if (status_ != 0 && missing_ == 0) {
        // Another message under the same status.
        out.push_back(status_);
        missing_ = midiport::ChannelDataCount(status_);
    }
    out.push_back(byte);
    if (missing_ > 0) --missing_;
}

SimSynthOnRawMidi::SimSynthOnRawMidi(SimModel model, const std::string& device, std::uint32_t bytesPerSecond)
    : file_(device), synth_(model), bytesPerSecond_(bytesPerSecond), replies_(synth_) {
    synth_.SetOutput([this](std::vector<std::uint8_t> message) { Reply(message); });
    reader_ = std::thread([this] { ReadLoop(); });
}

SimSynthOnRawMidi::~SimSynthOnRawMidi() {
    stop_ = true;
    reader_.join();
    // A reply being written ends at its next piece.
    synth_.SetOutput({});
    file_.Close();
}

void SimSynthOnRawMidi::ReadLoop() {
    std::vector<std::uint8_t> expanded;
    while (!stop_ && file_.IsOpen()) {
        const std::vector<std::uint8_t> bytes = file_.Read(std::chrono::milliseconds(50));
        received_ += bytes.size();
        expanded.clear();
        for (const std::uint8_t b : bytes) running_.Expand(b, expanded);
        framer_.Feed(expanded, [this](std::span<const std::uint8_t> message) { synth_.OnMessage(message); });
    }
}

void SimSynthOnRawMidi::Reply(const std::vector<std::uint8_t>& message) {
    file_.Write(message, bytesPerSecond_, &stop_, &sent_);
}
