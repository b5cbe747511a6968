#include "platform/midi/AlsaMidiBackend.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>

#include "CableLog.h"
#include "FakeAlsaSeq.h"
#include "InputReader.h"
#include "platform/midi/MidiResult.h"

using namespace midiport;

// Containers and CI have no sequencer: the backend must report no ports and
// refuse every open, cleanly.
TEST(AlsaMidiBackend, WithoutASequencerHasNoPortsAndRefusesOpens) {
    if (::access("/dev/snd/seq", F_OK) == 0) GTEST_SKIP() << "this machine has an ALSA sequencer";
    AlsaMidiBackend backend;
    EXPECT_FALSE(backend.Available());
    EXPECT_TRUE(backend.Inputs().empty());
    EXPECT_TRUE(backend.Outputs().empty());
    for (int id : {-1, 0, 1}) {
        std::unique_ptr<MidiInPort> in;
        std::unique_ptr<MidiOutPort> out;
        EXPECT_EQ(backend.OpenIn(
                      id, [](std::span<const uint8_t>) {}, in),
                  kOpenRefused);
        EXPECT_EQ(backend.OpenOut(id, out), kOpenRefused);
        EXPECT_EQ(in, nullptr);
        EXPECT_EQ(out, nullptr);
    }
}

// Where there is one, the lists never contain out-of-range surprises and
// an id past the end is refused.
TEST(AlsaMidiBackend, IdPastTheListIsRefused) {
    AlsaMidiBackend backend;
    std::unique_ptr<MidiInPort> in;
    std::unique_ptr<MidiOutPort> out;
    EXPECT_EQ(backend.OpenIn(
                  static_cast<int>(backend.Inputs().size()), [](std::span<const uint8_t>) {}, in),
              kOpenRefused);
    EXPECT_EQ(backend.OpenOut(static_cast<int>(backend.Outputs().size()), out), kOpenRefused);
}

// ---- Against a fake sequencer ----

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

constexpr unsigned kReadable = FakeAlsaSeq::kReadable;
constexpr unsigned kWritable = FakeAlsaSeq::kWritable;
constexpr unsigned kDuplex = FakeAlsaSeq::kDuplex;
constexpr unsigned kSoftware = FakeAlsaSeq::kSoftwareType;
constexpr unsigned kHardware = FakeAlsaSeq::kHardwareType;
constexpr unsigned kApplication = FakeAlsaSeq::kApplicationType;
constexpr int kSynth = FakeAlsaSeq::CardClient(1);  // a USB interface the synth is plugged into
constexpr int kOther = 130;                         // another program

// Polls until `done` holds; the writer thread runs on its own.
template <typename Done>
bool Eventually(Done done) {
    for (int i = 0; i < 30000; ++i) {  // at least 30 s: generous on a loaded machine
        if (done()) return true;
        std::this_thread::sleep_for(1ms);
    }
    return done();
}

Bytes SysEx(std::size_t size) {
    Bytes m(size, 0x11);
    m.front() = 0xF0;
    m.back() = 0xF7;
    for (std::size_t i = 1; i + 1 < size; ++i) m[i] = static_cast<uint8_t>(i & 0x7F);
    return m;
}

class AlsaOnFakeSeq : public ::testing::Test {
protected:
    explicit AlsaOnFakeSeq(uint32_t bytesPerSecond = 0) {
        auto seq = std::make_unique<FakeAlsaSeq>();
        seq_ = seq.get();
        seq_->AddKernelClients();
        seq_->AddPort(kSynth, 0, "Synth", "MIDI 1", kDuplex, kHardware);
        seq_->AddPort(kOther, 0, "Other", "Out", kReadable, kApplication);
        backend_ = std::make_unique<AlsaMidiBackend>(std::move(seq), clock_, bytesPerSecond);
        reader_ = std::make_unique<InputReader>(*backend_);
        backend_->SetNoticeHandler([this](const MidiNotice& n) {
            std::lock_guard lock(mutex_);
            notices_.push_back(n);
        });
    }

    std::vector<MidiNotice> Notices(MidiNoticeKind kind) {
        std::lock_guard lock(mutex_);
        std::vector<MidiNotice> found;
        for (const MidiNotice& n : notices_)
            if (n.kind == kind) found.push_back(n);
        return found;
    }

    std::unique_ptr<MidiOutPort> OpenSynthOut() {
        std::unique_ptr<MidiOutPort> out;
        const std::vector<MidiPortInfo> outputs = backend_->Outputs();
        for (std::size_t id = 0; id < outputs.size(); ++id)
            if (outputs[id].name == "Synth:MIDI 1") {
                EXPECT_EQ(backend_->OpenOut(static_cast<int>(id), out), kOk);
            }
        return out;
    }

    // Opens input `id` and records what it delivers.
    std::unique_ptr<MidiInPort> OpenIn(int id, std::vector<Bytes>& seen) {
        std::unique_ptr<MidiInPort> in;
        EXPECT_EQ(backend_->OpenIn(
                      id,
                      [this, &seen](std::span<const uint8_t> m) {
                          std::lock_guard lock(mutex_);
                          seen.emplace_back(m.begin(), m.end());
                      },
                      in),
                  kOk);
        if (in) {
            EXPECT_EQ(in->Start(), kOk);
        }
        return in;
    }

    std::vector<Bytes> Copy(const std::vector<Bytes>& seen) {
        std::lock_guard lock(mutex_);
        return seen;
    }

    Bytes SentBytes() {
        Bytes all;
        for (const auto& e : seq_->Sent()) all.insert(all.end(), e.bytes.begin(), e.bytes.end());
        return all;
    }

    std::mutex mutex_;
    std::vector<MidiNotice> notices_;
    std::shared_ptr<FakeMidiClock> clock_ = std::make_shared<FakeMidiClock>();
    FakeAlsaSeq* seq_ = nullptr;  // owned by the backend
    // Last: its threads end before the members above go.
    std::unique_ptr<AlsaMidiBackend> backend_;
    std::unique_ptr<InputReader> reader_;  // the MIDI thread
};

class AlsaOnFakeSeqPaced : public AlsaOnFakeSeq {
protected:
    AlsaOnFakeSeqPaced() : AlsaOnFakeSeq(MidiPacer::kDefaultBytesPerSecond) {}
};

}  // namespace

TEST_F(AlsaOnFakeSeq, ListsShowOtherClientsPortsByDirection) {
    seq_->AddPort(131, 0, "Hidden", "Port", kReadable | kWritable | SND_SEQ_PORT_CAP_NO_EXPORT, kApplication);
    seq_->AddPort(132, 0, "Synth", "MIDI 1", kWritable, kApplication);
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();  // this client's own port must not show
    const std::vector<MidiPortInfo> inputs = backend_->Inputs();
    const std::vector<MidiPortInfo> outputs = backend_->Outputs();
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].name, "Synth:MIDI 1");
    EXPECT_TRUE(inputs[0].hardware);
    EXPECT_EQ(inputs[1].name, "Other:Out");
    EXPECT_FALSE(inputs[1].hardware);
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].name, "Synth:MIDI 1");
    EXPECT_EQ(outputs[1].name, "Synth:MIDI 1 (2)");
}

// The lists used to hold every port of the other clients but the System
// client's: Midi Through came first on every machine (no synth is behind
// it) and software synthesizers were offered as synths.
TEST(AlsaKernelPorts, ListsHoldThePortsASynthCanBeReachedThroughInKernelOrder) {
    auto owned = std::make_unique<FakeAlsaSeq>();
    FakeAlsaSeq& seq = *owned;
    seq.AddKernelClients();
    seq.AddUsbMidi(1, "UM-ONE");
    seq.AddVirMidi(0, 2);
    seq.AddPort(129, 0, "rtpmidi", "Network", kDuplex, kApplication);
    seq.AddPort(130, 0, "FLUID Synth (812)", "Synth input port (812:0)", kWritable,
                SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_MIDI_GM | SND_SEQ_PORT_TYPE_SYNTHESIZER |
                    SND_SEQ_PORT_TYPE_APPLICATION);
    seq.AddPort(131, 0, "TiMidity", "TiMidity port 0", kWritable,
                SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_MIDI_GM | SND_SEQ_PORT_TYPE_SYNTH);
    AlsaMidiBackend backend(std::move(owned), std::make_shared<FakeMidiClock>(), 0);
    std::unique_ptr<MidiOutPort> own;
    ASSERT_EQ(backend.OpenOut(0, own), kOk);  // this client's own port is no choice

    // clang-format off
    const std::vector<std::pair<std::string, bool>> expected = {
        {"Virtual Raw MIDI 0-0:VirMIDI 0-0", false},
        {"Virtual Raw MIDI 0-1:VirMIDI 0-1", false},
        {"UM-ONE:UM-ONE MIDI 1", true},
        {"rtpmidi:Network", false},
    };
    // clang-format on
    for (const bool inputs : {true, false}) {
        SCOPED_TRACE(inputs ? "inputs" : "outputs");
        std::vector<std::pair<std::string, bool>> listed;
        for (const MidiPortInfo& p : inputs ? backend.Inputs() : backend.Outputs())
            listed.emplace_back(p.name, p.hardware);
        EXPECT_EQ(listed, expected);
    }
    EXPECT_EQ(backend.OutputName(2), "UM-ONE:UM-ONE MIDI 1");
    EXPECT_EQ(backend.InputName(4), "");
}

TEST(AlsaMidiBackend, NoSequencerSeamHasNoPortsAndRefusesOpens) {
    AlsaMidiBackend backend(nullptr, std::make_shared<FakeMidiClock>());
    EXPECT_FALSE(backend.Available());
    EXPECT_TRUE(backend.Outputs().empty());
    std::unique_ptr<MidiOutPort> out;
    EXPECT_EQ(backend.OpenOut(0, out), kOpenRefused);
}

// Ids used to be positions looked up again at open: a port plugged in
// between listing and opening made the open take its neighbour.
TEST_F(AlsaOnFakeSeq, ListChangeBeforeOpenDoesNotOpenAnotherPort) {
    const std::vector<MidiPortInfo> inputs = backend_->Inputs();
    ASSERT_EQ(inputs[1].name, "Other:Out");
    seq_->AddPort(129, 0, "Newcomer", "Out", kReadable, kApplication);  // lists before Other now
    std::vector<Bytes> seen;
    std::unique_ptr<MidiInPort> in = OpenIn(1, seen);
    EXPECT_NE(seq_->OwnPortFor(kOther, 0), -1);
    EXPECT_EQ(seq_->OwnPortFor(129, 0), -1);

    // Gone before the open: refused, rather than the port now at that place.
    std::vector<MidiPortInfo> outputs = backend_->Outputs();
    ASSERT_EQ(outputs.size(), 1u);
    seq_->AddPort(FakeAlsaSeq::CardClient(0), 0, "Early", "In", kWritable, kHardware);
    seq_->RemoveClient(kSynth);
    std::unique_ptr<MidiOutPort> out;
    EXPECT_EQ(backend_->OpenOut(0, out), kOpenRefused);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(seq_->OwnPortFor(FakeAlsaSeq::CardClient(0), 0), -1);
}

TEST_F(AlsaOnFakeSeq, ReceivedEventsReachTheirOwnInputAsWholeMessages) {
    std::vector<Bytes> synthSeen;
    std::vector<Bytes> otherSeen;
    std::unique_ptr<MidiInPort> synth = OpenIn(0, synthSeen);
    std::unique_ptr<MidiInPort> other = OpenIn(1, otherSeen);
    const int own = seq_->OwnPortFor(kSynth, 0);
    seq_->Receive(own, {0x90, 0x3C, 0x64});
    // A long sysex comes as several events.
    seq_->Receive(own, {0xF0, 0x42, 0x30});
    seq_->Receive(own, {0x01, 0x02});
    seq_->Receive(own, {0x03, 0xF7});
    seq_->Receive(own, {0xC1, 0x05});
    seq_->Settle();
    EXPECT_EQ(
        Copy(synthSeen),
        (std::vector<Bytes>{{0x90, 0x3C, 0x64}, {0xF0, 0x42, 0x30, 0x01, 0x02, 0x03, 0xF7}, {0xC1, 0x05}}));
    EXPECT_TRUE(Copy(otherSeen).empty());
}

// The program reads the sequencer on its MIDI thread, which a reconnection
// ends and starts anew: what came in between waits in the client's input
// and the next thread reads it.
TEST_F(AlsaOnFakeSeq, NextReadingThreadTakesWhatCameInBetween) {
    std::vector<Bytes> seen;
    std::unique_ptr<MidiInPort> in = OpenIn(0, seen);
    const int own = seq_->OwnPortFor(kSynth, 0);
    seq_->Receive(own, {0xC1, 0x01});
    seq_->Settle();
    reader_.reset();
    seq_->Receive(own, {0xC1, 0x02});
    reader_ = std::make_unique<InputReader>(*backend_);
    seq_->Receive(own, {0xC1, 0x03});
    seq_->Settle();
    EXPECT_EQ(Copy(seen), (std::vector<Bytes>{{0xC1, 0x01}, {0xC1, 0x02}, {0xC1, 0x03}}));
}

TEST_F(AlsaOnFakeSeq, OverrunInsideSysExDropsTheBrokenMessage) {
    std::vector<Bytes> seen;
    std::unique_ptr<MidiInPort> in = OpenIn(0, seen);
    const int own = seq_->OwnPortFor(kSynth, 0);
    seq_->Receive(own, {0xF0, 0x42, 0x30});
    seq_->FailInput(-ENOSPC);
    seq_->Receive(own, {0x03, 0xF7});
    seq_->Receive(own, {0xF0, 0x7E, 0xF7});
    seq_->Settle();
    EXPECT_EQ(Copy(seen), (std::vector<Bytes>{{0xF0, 0x7E, 0xF7}}));
    EXPECT_TRUE(Notices(MidiNoticeKind::InputFailed).empty()) << "an overrun is not a failure of the input";
    // The loss used to go unreported: whoever waited for a reply waited for
    // its whole time limit.
    EXPECT_EQ(Notices(MidiNoticeKind::InputOverrun).size(), 1u);
}

TEST_F(AlsaOnFakeSeq, ChannelMessageGoesOutAsOneEventToSubscribers) {
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    ASSERT_EQ(out->SendShort(Bytes{0xB3, 0x07, 0x40}), kOk);
    ASSERT_TRUE(Eventually([&] { return seq_->Sent().size() == 1; }));
    const FakeAlsaSeq::SentEvent sent = seq_->Sent()[0];
    EXPECT_EQ(sent.type, SND_SEQ_EVENT_CONTROLLER);
    EXPECT_EQ(sent.bytes, (Bytes{0xB3, 0x07, 0x40}));
    EXPECT_EQ(sent.source, seq_->OwnPortFor(kSynth, 0));
    EXPECT_TRUE(sent.toSubscribers);
}

// The port keeps its bucket from one message to the next: what is queued
// back to back goes out as one stream at the cable's rate, the cable never
// running dry and never more than the bucket ahead of it; a sysex as events
// of at most 256 bytes.
TEST_F(AlsaOnFakeSeqPaced, MessagesQueuedBackToBackGoAtTheCablesRateWithinTheBucket) {
    std::vector<MidiClock::Clock::duration> times;  // of each event put out, on the fake clock
    seq_->SetOutputHook([this, &times](const snd_seq_event_t&) {
        std::lock_guard lock(mutex_);
        times.push_back(clock_->Elapsed());
        return 0;
    });
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    const std::vector<Bytes> messages = {SysEx(1000),  {0x90, 0x3C, 0x40}, SysEx(1000), SysEx(3000),
                                         {0xC0, 0x05}, SysEx(600),         SysEx(1000)};
    Bytes all;
    for (const Bytes& m : messages) {
        ASSERT_EQ(m.front() == 0xF0 ? out->SendSysEx(m) : out->SendShort(m), kOk);
        all.insert(all.end(), m.begin(), m.end());
    }
    ASSERT_TRUE(Eventually([&] { return SentBytes().size() == all.size(); }));
    EXPECT_EQ(SentBytes(), all);
    const std::vector<FakeAlsaSeq::SentEvent> sent = seq_->Sent();
    cable::CableLog log;
    {
        std::lock_guard lock(mutex_);
        ASSERT_EQ(times.size(), sent.size());
        for (std::size_t i = 0; i < sent.size(); ++i) log.Put(times[i], sent[i].bytes.size());
    }
    for (const auto& e : sent) EXPECT_LE(e.bytes.size(), 256u);
    EXPECT_EQ(log.Starts(), 1) << "the cable ran dry between the messages";
    EXPECT_NEAR(log.Free(), static_cast<double>(all.size()) / cable::kBytesPerSecond, 1e-6);
    EXPECT_TRUE(log.StaysWithinTheBucket());
    EXPECT_TRUE(Notices(MidiNoticeKind::SendFailed).empty());
}

// How far the output got: a message is accepted at once and has left once
// the writer handed its last chunk to the sequencer, or gave it up.
TEST_F(AlsaOnFakeSeq, OutputTellsWhatHasLeftForTheSequencer) {
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    int chunks = 0;
    seq_->SetOutputHook([&chunks](const snd_seq_event_t&) { return chunks++ == 1 ? -ENOSPC : 0; });
    ASSERT_EQ(out->SendSysEx(SysEx(600)), kOk);  // cut after its first chunk
    ASSERT_EQ(out->SendSysEx(SysEx(300)), kOk);
    EXPECT_EQ(out->Progress().accepted, 900u);
    ASSERT_TRUE(Eventually([&] { return SentBytes().size() == 256 + 1 + 300; }));
    EXPECT_TRUE(Eventually([&] { return out->Progress().left == 900; }));
}

TEST_F(AlsaOnFakeSeq, ReceiverBusyForAMomentDelaysButLosesNothing) {
    int refusals = 5;
    seq_->SetOutputHook([&](const snd_seq_event_t&) { return refusals-- > 0 ? -EAGAIN : 0; });
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    const Bytes message = SysEx(600);
    ASSERT_EQ(out->SendSysEx(message), kOk);
    ASSERT_TRUE(Eventually([&] { return SentBytes().size() == message.size(); }));
    EXPECT_EQ(SentBytes(), message);
    EXPECT_TRUE(Notices(MidiNoticeKind::SendFailed).empty());
}

namespace {

struct CutCase {
    const char* what;
    int error;  // what the sequencer answers after the first chunk
    int code;   // reported in the notice
    bool endedWithF7;
    std::chrono::milliseconds least;  // time spent trying, on the fake clock
    int nextSend;                     // what a later send returns
};

}  // namespace

// A sysex used to be given up silently in the middle after 2 s of -EAGAIN:
// no F7, no report, and the caller believed it sent.
TEST_F(AlsaOnFakeSeq, SysExCutMidwayIsEndedWithF7AndReported) {
    // clang-format off
    const CutCase cases[] = {
        {"slow receiver", -EAGAIN, kSendRefused, true, 2000ms, kOk},
        {"no room", -ENOSPC, kSendRefused, true, 0ms, kOk},
        {"device gone", -ENODEV, kPortGone, false, 0ms, kPortGone},
    };
    // clang-format on
    for (const CutCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<MidiOutPort> out = OpenSynthOut();
        ASSERT_NE(out, nullptr);
        int chunks = 0;
        seq_->SetOutputHook([&chunks, &c](const snd_seq_event_t& e) {
            const bool endOnly = e.type == SND_SEQ_EVENT_SYSEX && e.data.ext.len == 1;
            if (chunks++ == 0 || (endOnly && c.error != -ENODEV)) return 0;
            return c.error;
        });
        const auto start = clock_->Elapsed();
        const std::size_t sentBefore = seq_->Sent().size();
        ASSERT_EQ(out->SendSysEx(SysEx(1000)), kOk);
        ASSERT_TRUE(Eventually([&] { return !Notices(MidiNoticeKind::SendFailed).empty(); }));
        const MidiNotice notice = Notices(MidiNoticeKind::SendFailed).back();
        EXPECT_EQ(notice.code, c.code);
        EXPECT_EQ(notice.port, "Synth:MIDI 1");
        EXPECT_NE(notice.text.find("cut after 256 bytes"), std::string::npos) << notice.text;

        const std::vector<FakeAlsaSeq::SentEvent> sent = seq_->Sent();
        ASSERT_EQ(sent.size() - sentBefore, c.endedWithF7 ? 2u : 1u);
        EXPECT_EQ(sent[sentBefore].bytes.size(), 256u);
        if (c.endedWithF7) {
            EXPECT_EQ(sent.back().bytes, Bytes{0xF7});
        }
        const auto spent = clock_->Elapsed() - start;
        EXPECT_GE(spent, c.least);
        EXPECT_LT(spent, c.least + 200ms);

        EXPECT_EQ(Notices(MidiNoticeKind::PortGone).size(), c.code == kPortGone ? 1u : 0u);

        seq_->SetOutputHook(nullptr);
        EXPECT_EQ(out->SendShort(Bytes{0x90, 0x3C, 0x64}), c.nextSend);
        out.reset();
        std::lock_guard lock(mutex_);
        notices_.clear();
    }
}

TEST_F(AlsaOnFakeSeq, RefusedChannelMessageIsReported) {
    seq_->SetOutputHook([](const snd_seq_event_t&) { return -ENOSPC; });
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    ASSERT_EQ(out->SendShort(Bytes{0x90, 0x3C, 0x64}), kOk);
    ASSERT_TRUE(Eventually([&] { return !Notices(MidiNoticeKind::SendFailed).empty(); }));
    const MidiNotice notice = Notices(MidiNoticeKind::SendFailed)[0];
    EXPECT_EQ(notice.code, kSendRefused);
    EXPECT_NE(notice.text.find("90 3C 64"), std::string::npos) << notice.text;
}

namespace {

struct UnplugCase {
    const char* what;
    std::function<void(FakeAlsaSeq&, int own)> unplug;
    bool listsChange;
};

}  // namespace

// Nothing listened to the announcements: after an unplug the sends went
// nowhere and reported success.
TEST_F(AlsaOnFakeSeq, SendAfterUnplugReportsPortGone) {
    const UnplugCase cases[] = {
        {"client exits", [](FakeAlsaSeq& s, int) { s.RemoveClient(kSynth); }, true},
        {"port exits", [](FakeAlsaSeq& s, int) { s.RemovePort(kSynth, 0); }, true},
        {"connection removed",
         [](FakeAlsaSeq& s, int own) {
             s.AnnounceUnsubscribed({FakeAlsaSeq::kSelf, static_cast<unsigned char>(own)}, {kSynth, 0});
         },
         false},
    };
    for (const UnplugCase& c : cases) {
        SCOPED_TRACE(c.what);
        seq_->AddPort(kSynth, 0, "Synth", "MIDI 1", kDuplex, kHardware);
        seq_->Announce(SND_SEQ_EVENT_PORT_START, kSynth, 0);
        seq_->Settle();
        {
            std::lock_guard lock(mutex_);
            notices_.clear();
        }
        std::unique_ptr<MidiOutPort> out = OpenSynthOut();
        ASSERT_NE(out, nullptr);
        c.unplug(*seq_, seq_->OwnPortFor(kSynth, 0));
        seq_->Settle();
        const std::vector<MidiNotice> gone = Notices(MidiNoticeKind::PortGone);
        ASSERT_EQ(gone.size(), 1u);
        EXPECT_EQ(gone[0].port, "Synth:MIDI 1");
        EXPECT_EQ(gone[0].code, kPortGone);
        EXPECT_EQ(Notices(MidiNoticeKind::PortsChanged).size(), c.listsChange ? 1u : 0u);
        const std::size_t sentBefore = seq_->Sent().size();
        EXPECT_EQ(out->SendShort(Bytes{0x90, 0x3C, 0x64}), kPortGone);
        EXPECT_EQ(out->SendSysEx(SysEx(8)), kPortGone);
        EXPECT_EQ(seq_->Sent().size(), sentBefore);
        out.reset();
        seq_->RemoveClient(kSynth);
        seq_->Settle();
    }
}

TEST_F(AlsaOnFakeSeq, UnpluggedInputIsReportedGone) {
    std::vector<Bytes> seen;
    std::unique_ptr<MidiInPort> in = OpenIn(0, seen);
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    seq_->RemoveClient(kSynth);
    seq_->Settle();
    EXPECT_EQ(Notices(MidiNoticeKind::PortGone).size(), 2u) << "the input and the output";
    EXPECT_EQ(backend_->Inputs().size(), 1u);
}

TEST_F(AlsaOnFakeSeq, PluggedPortIsAnnouncedAsAListChange) {
    seq_->AddPort(FakeAlsaSeq::CardClient(2), 0, "Keys", "MIDI 1", kDuplex, kHardware);
    seq_->Announce(SND_SEQ_EVENT_CLIENT_START, FakeAlsaSeq::CardClient(2), 0);
    seq_->Settle();
    EXPECT_EQ(Notices(MidiNoticeKind::PortsChanged).size(), 1u);
    EXPECT_EQ(backend_->Outputs().back().name, "Keys:MIDI 1");
    // Ports of this client come and go with every open: no list change.
    std::unique_ptr<MidiOutPort> out = OpenSynthOut();
    seq_->Announce(SND_SEQ_EVENT_PORT_START, FakeAlsaSeq::kSelf, seq_->OwnPortFor(kSynth, 0));
    seq_->Settle();
    EXPECT_EQ(Notices(MidiNoticeKind::PortsChanged).size(), 1u);
}

// The reading used to end silently on a poll error (and would spin on
// POLLERR): it must report, pause and go on.
TEST_F(AlsaOnFakeSeq, FailedWaitIsReportedAndInputGoesOn) {
    std::vector<Bytes> seen;
    std::unique_ptr<MidiInPort> in = OpenIn(0, seen);
    seq_->ScriptWaits({{AlsaWait::Failed, EBADF}, {AlsaWait::Failed, EBADF}, {AlsaWait::Failed, EBADF}});
    seq_->Settle();
    EXPECT_EQ(Notices(MidiNoticeKind::InputFailed).size(), 1u) << "once per run of failures";
    EXPECT_EQ(seq_->RecoverCalls(), 3);
    EXPECT_GE(clock_->Elapsed(), 70ms) << "10 + 20 + 40 ms of pauses";

    seq_->Receive(seq_->OwnPortFor(kSynth, 0), {0x90, 0x3C, 0x64});
    seq_->Settle();
    EXPECT_EQ(Copy(seen), (std::vector<Bytes>{{0x90, 0x3C, 0x64}}));
    EXPECT_EQ(Notices(MidiNoticeKind::InputRecovered).size(), 1u);
}

TEST_F(AlsaOnFakeSeq, LastingErrorConditionPausesEveryTime) {
    std::vector<AlsaWaitResult> errors(40, AlsaWaitResult{AlsaWait::DeviceError, 0});
    seq_->ScriptWaits(errors);
    seq_->Settle();
    EXPECT_EQ(clock_->Sleeps(), 40) << "no wait without a pause after it";
    EXPECT_EQ(seq_->RecoverCalls(), 40);
    // 10 + 20 + ... + 640 ms, then 1 s for each of the remaining 33.
    EXPECT_GE(clock_->Elapsed(), 1270ms + 33s);
    EXPECT_EQ(Notices(MidiNoticeKind::InputFailed).size(), 1u);
}

TEST_F(AlsaOnFakeSeq, InputErrorOfTheSequencerIsReported) {
    std::vector<Bytes> seen;
    std::unique_ptr<MidiInPort> in = OpenIn(0, seen);
    seq_->FailInput(-ENODEV);
    seq_->Settle();
    const std::vector<MidiNotice> failed = Notices(MidiNoticeKind::InputFailed);
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_NE(failed[0].text.find(std::strerror(ENODEV)), std::string::npos) << failed[0].text;
    seq_->Receive(seq_->OwnPortFor(kSynth, 0), {0xC0, 0x01});
    seq_->Settle();
    EXPECT_EQ(Copy(seen), (std::vector<Bytes>{{0xC0, 0x01}}));
}
