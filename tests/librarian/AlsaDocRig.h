#pragma once
// The document on the ALSA backend over a fake sequencer whose port list is
// the kernel's (System, Midi Through, cards, user programs), with the
// simulated synth on a cable behind one of its ports: what the program puts
// out to that port reaches the synth, the synth's replies arrive from that
// port. The sequencer's pacing clock and the waiting loops' clock are fake;
// each waiting pass delivers whatever went either way before its time
// passes.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "DocRig.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkPreference.h"
#include "platform/midi/AlsaMidiBackend.h"
#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiResult.h"
#include "simulator/SimReplyPump.h"
#include "simulator/SimSynth.h"
#include "tests/platform/FakeAlsaSeq.h"

namespace doctest {

// Counts the messages the program's outputs took, by port name, so that a
// waiting pass can tell when the synth has had all of them. Everything else
// goes straight to the backend.
class CountingBackend final : public midiport::MidiBackend {
public:
    explicit CountingBackend(midiport::MidiBackend& inner) : inner_(inner) {}

    std::size_t Accepted(const std::string& port) const {
        std::lock_guard lock(counter_->mutex);
        const auto found = counter_->accepted.find(port);
        return found == counter_->accepted.end() ? 0 : found->second;
    }

    std::vector<midiport::MidiPortInfo> Inputs() override { return inner_.Inputs(); }
    std::vector<midiport::MidiPortInfo> Outputs() override { return inner_.Outputs(); }
    std::string InputName(int id) override { return inner_.InputName(id); }
    std::string OutputName(int id) override { return inner_.OutputName(id); }
    int OpenIn(int id, midiport::MidiInHandler handler,
               std::unique_ptr<midiport::MidiInPort>& port) override {
        return inner_.OpenIn(id, std::move(handler), port);
    }
    int OpenOut(int id, std::unique_ptr<midiport::MidiOutPort>& port) override {
        std::unique_ptr<midiport::MidiOutPort> opened;
        const std::string name = inner_.OutputName(id);
        const int result = inner_.OpenOut(id, opened);
        if (result == midiport::kOk) port = std::make_unique<CountingOut>(std::move(opened), counter_, name);
        return result;
    }
    void ReadInput(midiport::MidiCancel& stop) override { inner_.ReadInput(stop); }
    void WakeInput() override { inner_.WakeInput(); }
    void SetNoticeHandler(midiport::MidiNoticeHandler handler) override {
        inner_.SetNoticeHandler(std::move(handler));
    }

private:
    struct Counter {
        mutable std::mutex mutex;
        std::map<std::string, std::size_t> accepted;
    };
    class CountingOut final : public midiport::MidiOutPort {
    public:
        CountingOut(std::unique_ptr<midiport::MidiOutPort> port, std::shared_ptr<Counter> counter,
                    std::string name)
            : port_(std::move(port)), counter_(std::move(counter)), name_(std::move(name)) {}
        int SendShort(std::span<const uint8_t> message) override { return Count(port_->SendShort(message)); }
        int SendSysEx(std::vector<uint8_t> message) override {
            return Count(port_->SendSysEx(std::move(message)));
        }
        int Close() override { return port_->Close(); }
        midiport::MidiOutProgress Progress() const override { return port_->Progress(); }

    private:
        int Count(int result) {
            std::lock_guard lock(counter_->mutex);
            if (result == midiport::kOk) ++counter_->accepted[name_];
            return result;
        }
        std::unique_ptr<midiport::MidiOutPort> port_;
        std::shared_ptr<Counter> counter_;
        std::string name_;
    };

    midiport::MidiBackend& inner_;
    std::shared_ptr<Counter> counter_ = std::make_shared<Counter>();
};

class AlsaDocRig : public DocFakes {
public:
    using FakeAlsaSeq = midiport::FakeAlsaSeq;

    explicit AlsaDocRig(SimModel model = SimModel::BrontiselS) : synth_(model), replies_(synth_) {
        auto seq = std::make_unique<FakeAlsaSeq>();
        seq_ = seq.get();
        seq_->AddKernelClients();
        alsa_ = std::make_unique<midiport::AlsaMidiBackend>(std::move(seq),
                                                            std::make_shared<midiport::FakeMidiClock>());
        counting_ = std::make_unique<CountingBackend>(*alsa_);
        synth_.SetOutput([this](std::vector<uint8_t> message) { Reply(message); });
        ui_.onPump = [this] {
            Deliver();
            if (onPass) onPass(ui_.pumps);
        };
        doc_ = std::make_unique<CVelkDoc>(*counting_, ui_, clipboard_, preference_);
        doc_->GetDevConfig().SetPauses(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
    }
    ~AlsaDocRig() {
        doc_.reset();
        synth_.SetOutput({});
    }

    // Puts the synth behind client:port.
    void PlugSynth(int client, int port = 0) {
        {
            std::lock_guard lock(mutex_);
            synthAt_ = {client, port};
        }
        for (const midiport::AlsaSeqPort& p : seq_->Ports())
            if (p.client == client && p.port == port) synthPort_ = p.clientName + ":" + p.portName;
        seq_->SetPeer(client, port, [this](const std::vector<uint8_t>& bytes) {
            std::lock_guard lock(wireMutex_);
            wire_.Feed(bytes, [this](std::span<const uint8_t> message) { synth_.OnMessage(message); });
        });
    }

    // Port choice and detection as the tree's first update runs them.
    bool Connect() {
        doc_->SelectMidiPorts();
        doc_->DetectDevices();
        return Device() != nullptr;
    }

    // The client this program's input (or output) is connected to; -1 for none.
    int ConnectedClient(bool input) const {
        for (const FakeAlsaSeq::Connection& c : seq_->Connections())
            if (c.input == input) return c.client;
        return -1;
    }

    // Waits (in real time, with a generous bound) until the synth has had
    // every message the program's output to its port took and answered,
    // then until the program's MIDI thread has read the answers.
    void Deliver() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (synth_.Received().size() < counting_->Accepted(synthPort_) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        while (synth_.PendingReplies() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        seq_->Settle();
        // The event loop runs: the document routes what arrived.
        ui_.RunPending();
    }

    CVelkDoc& Doc() { return *doc_; }
    MDevDesc* Device() { return doc_->GetDevConfig().GetDevice(0); }
    FakeAlsaSeq& Seq() { return *seq_; }
    SimSynth& Synth() { return synth_; }
    midiport::MidiBackend& Backend() { return *counting_; }

    std::function<void(int pass)> onPass;  // runs in each waiting pass, after delivery

private:
    // The synth's replies, in events of at most 256 bytes as a raw MIDI
    // device hands them to the sequencer.
    void Reply(const std::vector<uint8_t>& message) {
        std::pair<int, int> at;
        {
            std::lock_guard lock(mutex_);
            at = synthAt_;
        }
        const int own = seq_->OwnInputFor(at.first, at.second);
        if (own < 0) return;  // nobody listens on that port
        if (message.front() != 0xF0) {
            seq_->Receive(own, message);
            return;
        }
        for (std::size_t at = 0; at < message.size(); at += 256) {
            const std::size_t end = std::min(message.size(), at + 256);
            seq_->Receive(own, std::vector<uint8_t>(message.begin() + static_cast<std::ptrdiff_t>(at),
                                                    message.begin() + static_cast<std::ptrdiff_t>(end)));
        }
    }

    SimSynth synth_;
    SimReplyPump replies_;
    std::mutex wireMutex_;
    midiport::MidiInputFramer wire_;  // what the program sent, in messages
    std::mutex mutex_;
    std::pair<int, int> synthAt_{-1, -1};
    std::string synthPort_;       // its name as listed
    FakeAlsaSeq* seq_ = nullptr;  // owned by the backend
    std::unique_ptr<midiport::AlsaMidiBackend> alsa_;
    std::unique_ptr<CountingBackend> counting_;
    std::unique_ptr<CVelkDoc> doc_;
};

}  // namespace doctest
