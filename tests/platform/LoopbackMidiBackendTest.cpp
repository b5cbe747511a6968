#include "platform/midi/LoopbackMidiBackend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "InputReader.h"
#include "platform/midi/MidiResult.h"

using namespace midiport;
using Bytes = std::vector<uint8_t>;

namespace {

// Collects what the system's input delivers.
struct Inbox {
    std::mutex mutex;
    std::vector<Bytes> messages;
    MidiInHandler Handler() {
        return [this](std::span<const uint8_t> m) {
            std::lock_guard lock(mutex);
            messages.emplace_back(m.begin(), m.end());
        };
    }
    std::vector<Bytes> Take() {
        std::lock_guard lock(mutex);
        return std::move(messages);
    }
};

class LoopbackTest : public ::testing::Test {
protected:
    void SetUp() override {
        peer = backend.CreatePair("Synth:Port 1");
        peer->SetHandler([this](Bytes m) {
            std::lock_guard lock(seenMutex);
            seen.push_back(std::move(m));
        });
    }
    void OpenBoth() {
        ASSERT_EQ(backend.OpenIn(0, inbox.Handler(), in), kOk);
        ASSERT_EQ(in->Start(), kOk);
        ASSERT_EQ(backend.OpenOut(0, out), kOk);
    }
    std::vector<Bytes> Seen() {
        std::lock_guard lock(seenMutex);
        return seen;
    }

    LoopbackMidiBackend backend;
    InputReader reader{backend};
    std::shared_ptr<LoopbackPeer> peer;
    Inbox inbox;
    std::unique_ptr<MidiInPort> in;
    std::unique_ptr<MidiOutPort> out;
    std::mutex seenMutex;
    std::vector<Bytes> seen;
};

}  // namespace

TEST_F(LoopbackTest, ListsPairsWithUniqueNames) {
    backend.CreatePair("Synth:Port 1", false);
    const auto inputs = backend.Inputs();
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].name, "Synth:Port 1");
    EXPECT_EQ(inputs[1].name, "Synth:Port 1 (2)");
    EXPECT_TRUE(backend.Outputs()[0].hardware);
    EXPECT_FALSE(backend.Outputs()[1].hardware);
}

TEST_F(LoopbackTest, OpenCodes) {
    for (int id : {-1, 1, 99}) {
        EXPECT_EQ(backend.OpenIn(id, inbox.Handler(), in), kOpenRefused) << id;
        EXPECT_EQ(backend.OpenOut(id, out), kOpenRefused) << id;
    }
    EXPECT_EQ(in, nullptr);
    OpenBoth();
    std::unique_ptr<MidiInPort> second;
    EXPECT_EQ(backend.OpenIn(0, inbox.Handler(), second), kOpenRefused) << "input in use";
    EXPECT_EQ(in->Start(), kBadState) << "already started";
    EXPECT_EQ(in->Reset(), kOk);
    EXPECT_EQ(in->Start(), kOk);
}

TEST_F(LoopbackTest, RefusalFaultsGiveTheirCodesAndKeepThePortOpen) {
    LoopbackFaults faults;
    faults.refuseOpen = true;
    peer->SetFaults(faults);
    EXPECT_EQ(backend.OpenIn(0, inbox.Handler(), in), kOpenRefused);
    EXPECT_EQ(backend.OpenOut(0, out), kOpenRefused);

    peer->SetFaults({});
    ASSERT_EQ(backend.OpenIn(0, inbox.Handler(), in), kOk);
    ASSERT_EQ(backend.OpenOut(0, out), kOk);
    faults = {};
    faults.refuseStart = true;
    faults.refuseReset = true;
    faults.refuseClose = true;
    peer->SetFaults(faults);
    EXPECT_EQ(in->Start(), kStartRefused);
    EXPECT_EQ(in->Reset(), kResetRefused);
    EXPECT_EQ(in->Close(), kCloseRefused);
    EXPECT_EQ(out->Close(), kCloseRefused);

    peer->SetFaults({});
    ASSERT_EQ(in->Start(), kOk);
    peer->Send({0x90, 0x40, 0x7F});
    peer->Drain();
    EXPECT_EQ(inbox.Take().size(), 1u) << "a refused close keeps the input working";
    EXPECT_EQ(in->Close(), kOk);
    EXPECT_EQ(out->Close(), kOk);
}

TEST_F(LoopbackTest, MessagesCrossBothWaysInOrder) {
    OpenBoth();
    peer->Send({0xB0, 0x63, 0x00});
    peer->Send({0xF0, 0x42, 0x30, 0x58, 0x40, 0xF7});
    peer->Send({0xC0, 0x05});
    EXPECT_EQ(out->SendShort(Bytes{0xC1, 0x07}), kOk);
    EXPECT_EQ(out->SendSysEx({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}), kOk);
    peer->Drain();
    EXPECT_EQ(inbox.Take(),
              (std::vector<Bytes>{{0xB0, 0x63, 0x00}, {0xF0, 0x42, 0x30, 0x58, 0x40, 0xF7}, {0xC0, 0x05}}));
    EXPECT_EQ(Seen(), (std::vector<Bytes>{{0xC1, 0x07}, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}}));
}

TEST_F(LoopbackTest, OutputRejectsMalformedMessagesAndFailedSends) {
    OpenBoth();
    EXPECT_EQ(out->SendShort(Bytes{0xC1, 0x07, 0x00}), kBadMessage) << "program change has one data byte";
    EXPECT_EQ(out->SendShort(Bytes{0x90, 0x40}), kBadMessage);
    EXPECT_EQ(out->SendShort(Bytes{0xF8}), kBadMessage);
    EXPECT_EQ(out->SendSysEx({0xF0, 0x42, 0x30}), kBadMessage) << "no F7";
    EXPECT_EQ(out->SendSysEx({0xF0, 0x42, 0x90, 0xF7}), kBadMessage) << "status inside";
    LoopbackFaults faults;
    faults.failSend = true;
    peer->SetFaults(faults);
    EXPECT_EQ(out->SendShort(Bytes{0xC1, 0x07}), kSendRefused);
    peer->Drain();
    EXPECT_TRUE(Seen().empty());
}

TEST_F(LoopbackTest, InputDeliversOnlyWhileStarted) {
    ASSERT_EQ(backend.OpenIn(0, inbox.Handler(), in), kOk);
    peer->Send({0x90, 0x40, 0x7F});
    peer->Drain();
    EXPECT_TRUE(inbox.Take().empty()) << "not started";
    ASSERT_EQ(in->Start(), kOk);
    peer->Send({0x90, 0x41, 0x7F});
    peer->Drain();
    ASSERT_EQ(in->Reset(), kOk);
    peer->Send({0x90, 0x42, 0x7F});
    peer->Drain();
    EXPECT_EQ(inbox.Take(), (std::vector<Bytes>{{0x90, 0x41, 0x7F}}));
}

TEST_F(LoopbackTest, TrafficFaults) {
    OpenBoth();
    const Bytes sysex{0xF0, 0x42, 0x30, 0x58, 0x40, 0x01, 0x02, 0xF7};
    struct Case {
        const char* what;
        LoopbackFaults faults;
        std::size_t expected;  // copies of the sysex the system receives
    };
    std::vector<Case> cases(6);
    cases[0] = {"split into pieces is joined", {}, 1};
    cases[0].faults.splitSysEx = 3;
    cases[1] = {"real-time byte inside is skipped", {}, 1};
    cases[1].faults.injectRealTime = true;
    cases[2] = {"stray status inside spoils it", {}, 0};
    cases[2].faults.injectStrayStatus = true;
    cases[3] = {"dropped", {}, 0};
    cases[3].faults.dropToSystem = 1;
    cases[4] = {"duplicated", {}, 2};
    cases[4].faults.duplicateToSystem = 1;
    cases[5] = {"delayed", {}, 1};
    cases[5].faults.delay = std::chrono::milliseconds(1);
    for (const Case& c : cases) {
        peer->SetFaults(c.faults);
        peer->Send(sysex);
        peer->Drain();
        std::vector<Bytes> got = inbox.Take();
        std::size_t copies = 0;
        for (const Bytes& m : got) copies += (m == sysex) ? 1 : 0;
        EXPECT_EQ(copies, c.expected) << c.what;
    }
    // Output direction: one lost, then one doubled.
    LoopbackFaults faults;
    faults.dropToPeer = 1;
    faults.duplicateToPeer = 1;
    peer->SetFaults(faults);
    out->SendShort(Bytes{0xC0, 0x01});
    out->SendShort(Bytes{0xC0, 0x02});
    peer->Drain();
    EXPECT_EQ(Seen(), (std::vector<Bytes>{{0xC0, 0x02}, {0xC0, 0x02}}));
}

TEST_F(LoopbackTest, ThrottleDeliversAtTheWireRate) {
    OpenBoth();
    peer->SetThrottle(100000);  // 100 bytes per millisecond
    Bytes sysex(2000, 0x01);
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(out->SendSysEx(sysex), kOk);
    peer->Drain();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(19));
    EXPECT_EQ(Seen().size(), 1u);
}

// As from a cable, a long dump on a slow wire comes in a piece at a time:
// the input counts the bytes of the dump that were in before it was whole
// (a dump fed whole would count none).
TEST_F(LoopbackTest, ThrottledDumpIsSeenArrivingBeforeItIsWhole) {
    OpenBoth();
    peer->SetThrottle(20000);  // 20 bytes per millisecond: 100 ms for the dump
    Bytes sysex(2000, 0x01);
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    peer->Send(sysex);
    peer->Drain();
    EXPECT_EQ(inbox.Take(), std::vector<Bytes>{sysex});
    EXPECT_GE(in->SysExBytesTaken(), sysex.size() - LoopbackPeer::kWireChunk);

    // Unthrottled, the same dump comes whole.
    peer->SetThrottle(0);
    const uint64_t before = in->SysExBytesTaken();
    peer->Send(sysex);
    peer->Drain();
    EXPECT_EQ(inbox.Take(), std::vector<Bytes>{sysex});
    EXPECT_EQ(in->SysExBytesTaken(), before);
}

// How far the output got: a message has left once it crossed the wire to
// the peer; one lost on the way too, but only after its time on the wire.
TEST_F(LoopbackTest, OutputTellsWhatHasCrossedTheWire) {
    OpenBoth();
    std::atomic<std::chrono::steady_clock::time_point> now{std::chrono::steady_clock::time_point{} +
                                                           std::chrono::hours(1)};
    peer->SetWireClock([&] { return now.load(); });
    peer->SetThrottle(1000);  // a byte a millisecond
    LoopbackFaults faults;
    faults.dropToPeer = 1;
    peer->SetFaults(faults);
    Bytes sysex(100, 0x01);
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    ASSERT_EQ(out->SendSysEx(sysex), kOk);
    ASSERT_EQ(out->SendSysEx(sysex), kOk);
    EXPECT_EQ(out->Progress().accepted, 200u);
    peer->Drain();
    EXPECT_EQ(out->Progress().left, 0u) << "on the wire";

    now = now.load() + std::chrono::milliseconds(100);
    peer->Drain();
    EXPECT_EQ(out->Progress().left, 100u) << "lost, but across";
    EXPECT_TRUE(Seen().empty());
    now = now.load() + std::chrono::milliseconds(100);
    peer->Drain();
    EXPECT_EQ(out->Progress().left, 200u);
    EXPECT_EQ(Seen(), std::vector<Bytes>{sysex});
}

// A message's bytes come in right behind each other, however late the
// wire's writer got round to each piece: the whole dump is in by its last
// byte's time.
TEST_F(LoopbackTest, DumpIsWholeByItsLastBytesTimeHoweverLateTheWireWakes) {
    OpenBoth();
    std::atomic<std::chrono::steady_clock::time_point> now{std::chrono::steady_clock::time_point{} +
                                                           std::chrono::hours(1)};
    peer->SetWireClock([&] { return now.load(); });
    peer->SetThrottle(64000);  // a wire chunk a millisecond
    Bytes sysex(4 * LoopbackPeer::kWireChunk, 0x01);
    sysex.front() = 0xF0;
    sysex.back() = 0xF7;
    peer->Send(sysex);
    peer->Drain();                               // on the wire
    now = now.load() + std::chrono::seconds(1);  // long past its 4 ms
    peer->Drain();
    EXPECT_EQ(inbox.Take(), std::vector<Bytes>{sysex});
}

TEST_F(LoopbackTest, PeerHandlerMayReplyFromInsideItsCall) {
    OpenBoth();
    peer->SetHandler([this](Bytes m) {
        if (m[0] == 0xC0) peer->Send({0xB0, 0x00, m[1]});
    });
    for (uint8_t p = 0; p < 20; ++p) out->SendShort(Bytes{0xC0, p});
    peer->Drain();
    const auto got = inbox.Take();
    ASSERT_EQ(got.size(), 20u);
    for (uint8_t p = 0; p < 20; ++p) EXPECT_EQ(got[p], (Bytes{0xB0, 0x00, p}));
}

TEST_F(LoopbackTest, NothingIsDeliveredAfterResetOrCloseReturns) {
    std::atomic<bool> stopped{false};
    std::atomic<int> late{0};
    ASSERT_EQ(backend.OpenIn(
                  0,
                  [&](std::span<const uint8_t>) {
                      if (stopped) ++late;
                  },
                  in),
              kOk);
    ASSERT_EQ(in->Start(), kOk);
    std::thread sender([&] {
        for (int i = 0; i < 2000; ++i) peer->Send({0x90, 0x40, 0x7F});
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_EQ(in->Reset(), kOk);
    stopped = true;
    sender.join();
    peer->Drain();
    EXPECT_EQ(late, 0);
    ASSERT_EQ(in->Start(), kOk);
    stopped = false;
    ASSERT_EQ(in->Close(), kOk);
    stopped = true;
    peer->Send({0x90, 0x40, 0x7F});
    peer->Drain();
    EXPECT_EQ(late, 0);
}
