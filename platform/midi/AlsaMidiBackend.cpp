#include "platform/midi/AlsaMidiBackend.h"

#include <utility>

#include "platform/midi/AlsaMidiPorts.h"
#include "platform/midi/AlsaSeqClient.h"
#include "platform/midi/MidiResult.h"

namespace midiport {

namespace {

constexpr const char* kClientName = "VELK Editor";

}  // namespace

AlsaMidiBackend::AlsaMidiBackend(uint32_t bytesPerSecond)
    : AlsaMidiBackend(OpenAlsaSeq(kClientName), std::make_shared<SteadyMidiClock>(), bytesPerSecond) {}

AlsaMidiBackend::AlsaMidiBackend(std::unique_ptr<AlsaSeqIo> seq, std::shared_ptr<MidiClock> clock,
                                 uint32_t bytesPerSecond)
    : client_(std::make_shared<AlsaSeqClient>(std::move(seq), std::move(clock))),
      bytesPerSecond_(bytesPerSecond) {}

AlsaMidiBackend::~AlsaMidiBackend() = default;

bool AlsaMidiBackend::Available() const { return client_->Open(); }

std::vector<MidiPortInfo> AlsaMidiBackend::Inputs() { return client_->HandOut(true); }

std::vector<MidiPortInfo> AlsaMidiBackend::Outputs() { return client_->HandOut(false); }

std::string AlsaMidiBackend::InputName(int id) { return client_->HandedName(true, id); }

std::string AlsaMidiBackend::OutputName(int id) { return client_->HandedName(false, id); }

int AlsaMidiBackend::OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) {
    if (!handler) return kOpenRefused;
    auto input = std::make_shared<AlsaInput>();
    input->handler = std::move(handler);
    std::shared_ptr<AlsaPortLink> link = client_->Connect(true, id, std::move(input));
    if (!link) return kOpenRefused;
    port = MakeAlsaInPort(client_, std::move(link));
    return kOk;
}

int AlsaMidiBackend::OpenOut(int id, std::unique_ptr<MidiOutPort>& port) {
    std::shared_ptr<AlsaPortLink> link = client_->Connect(false, id);
    if (!link) return kOpenRefused;
    port = MakeAlsaOutPort(client_, std::move(link), bytesPerSecond_);
    return kOk;
}

void AlsaMidiBackend::ReadInput(MidiCancel& stop) { client_->Read(stop); }

void AlsaMidiBackend::WakeInput() { client_->Wake(); }

void AlsaMidiBackend::SetNoticeHandler(MidiNoticeHandler handler) {
    client_->SetNoticeHandler(std::move(handler));
}

}  // namespace midiport
