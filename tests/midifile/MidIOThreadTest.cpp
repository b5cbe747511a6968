#include "midifile/MidIOThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/midi/AlsaMidiBackend.h"
#include "platform/midi/LoopbackMidiBackend.h"

using midiport::LoopbackFaults;
using midiport::LoopbackMidiBackend;
using midiport::LoopbackPeer;
using Bytes = std::vector<uint8_t>;

namespace {

// What the input callback saw: status, then the data bytes.
struct Received {
    uint8_t status;
    Bytes data;
    bool operator==(const Received&) const = default;
};

struct Recorder {
    std::mutex mutex;
    std::vector<Received> calls;
    std::atomic<bool> closed{false};
    std::atomic<int> late{0};

    MidInCallback Callback() {
        return [this](uint8_t status, std::span<const uint8_t> data) {
            if (closed) ++late;
            std::lock_guard lock(mutex);
            calls.push_back({status, Bytes(data.begin(), data.end())});
        };
    }
    std::vector<Received> Take() {
        std::lock_guard lock(mutex);
        return std::move(calls);
    }
};

class MidIOThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        peer = backend.CreatePair("Synth:MIDI 1");
        peer->SetHandler([this](Bytes m) {
            std::lock_guard lock(seenMutex);
            seen.push_back(std::move(m));
        });
        ASSERT_EQ(MidIOStart(thread, backend, std::chrono::milliseconds(0)), 0);
    }
    void TearDown() override { MidIOStop(thread); }

    void OpenBoth() {
        ASSERT_EQ(MidIOOpenIn(thread.get(), 0, recorder.Callback()), 0);
        ASSERT_EQ(MidIOOpenOut(thread.get(), 0), 0);
    }
    // Lets everything in flight arrive at the callback and at the peer.
    void Settle() { peer->Drain(); }
    std::vector<Bytes> Seen() {
        std::lock_guard lock(seenMutex);
        return seen;
    }

    LoopbackMidiBackend backend;
    std::shared_ptr<LoopbackPeer> peer;
    std::unique_ptr<MidIOThread> thread;
    Recorder recorder;
    std::mutex seenMutex;
    std::vector<Bytes> seen;
};

}  // namespace

TEST_F(MidIOThreadTest, CallbackGetsTheDataCountOfEachStatus) {
    OpenBoth();
    // clang-format off
    const std::vector<std::pair<Bytes, std::vector<Received>>> cases = {
        {{0x90, 0x3C, 0x64}, {{0x90, {0x3C, 0x64}}}},  // note-on: 2
        {{0xC2, 0x05}, {{0xC2, {0x05}}}},              // program change: 1
        {{0xD0, 0x40}, {{0xD0, {0x40}}}},              // channel pressure: 1
        {{0xE0, 0x00, 0x40}, {{0xE0, {0x00, 0x40}}}},  // pitch bend: 2
        {{0xFE}, {}},                                  // active sensing: not delivered
        {{0xF8}, {}},                                  // clock: not delivered
        // clang-format on
        // System-exclusive: the bytes after F0 through F7.
        // clang-format off
        {{0xF0, 0x42, 0x30, 0x58, 0x21, 0xF7}, {{0xF0, {0x42, 0x30, 0x58, 0x21, 0xF7}}}},
        {{0xF0, 0xF7}, {}},  // empty: never reaches the callback
        // clang-format on
    };
    for (const auto& [sent, expected] : cases) {
        peer->Send(sent);
        Settle();
        EXPECT_EQ(recorder.Take(), expected) << "status 0x" << std::hex << int(sent[0]);
    }
}

TEST_F(MidIOThreadTest, OpenAndStartCodes) {
    EXPECT_EQ(MidIOOpenIn(thread.get(), 5, recorder.Callback()), 1) << "no such device";
    EXPECT_EQ(MidIOOpenIn(thread.get(), -1, recorder.Callback()), 1);
    EXPECT_FALSE(thread->MidIn::IsOpen());
    EXPECT_EQ(MidIOOpenOut(thread.get(), 1), 1);
    EXPECT_EQ(MidIOOpenIn(nullptr, 0, recorder.Callback()), -1) << "no thread";
    EXPECT_EQ(MidIOOpenOut(nullptr, 0), -1);

    EXPECT_EQ(thread->MidIn::Start(), 5) << "not open";
    OpenBoth();
    EXPECT_EQ(thread->MidIn::Start(), 5) << "already started";
    EXPECT_EQ(thread->MidIn::Stop(), 0);
    EXPECT_EQ(thread->MidIn::Stop(), 0) << "stop twice";
    EXPECT_EQ(thread->MidIn::Start(), 0);

    // Refusals of the port become the codes 2, 3 and 4.
    LoopbackFaults faults;
    faults.refuseReset = true;
    peer->SetFaults(faults);
    EXPECT_EQ(thread->MidIn::Stop(), 4);
    EXPECT_TRUE(thread->IsStarted()) << "a refused stop changes nothing";
    faults = {};
    faults.refuseClose = true;
    peer->SetFaults(faults);
    EXPECT_EQ(thread->MidIn::Close(), 2);
    EXPECT_EQ(thread->MidOut::Close(), 2);
    EXPECT_TRUE(thread->MidIn::IsOpen()) << "a refused close keeps the port";
    EXPECT_EQ(MidIOOpenIn(thread.get(), 0, recorder.Callback()), 1)
        << "open closes first, and that was refused";
    faults = {};
    faults.refuseStart = true;
    peer->SetFaults(faults);
    EXPECT_EQ(thread->MidIn::Stop(), 0);
    EXPECT_EQ(thread->MidIn::Start(), 3);
    EXPECT_FALSE(thread->IsStarted());
    peer->SetFaults({});
    EXPECT_EQ(MidIOOpenIn(thread.get(), 0, recorder.Callback()), 0) << "reopens after close";
}

TEST_F(MidIOThreadTest, StartStopLifecycle) {
    std::unique_ptr<MidIOThread> none;
    EXPECT_EQ(MidIOStop(none), 0) << "no thread: at once";

    MidIOThread* first = thread.get();
    EXPECT_EQ(MidIOStart(thread, backend, std::chrono::milliseconds(0)), 0);
    EXPECT_EQ(thread.get(), first) << "a second start keeps the one thread";
    EXPECT_TRUE(thread->Running());

    OpenBoth();
    EXPECT_EQ(MidIOStop(thread), 0);
    EXPECT_EQ(thread, nullptr);
    // The quit closed both ports: they can be opened again.
    std::unique_ptr<midiport::MidiInPort> in;
    std::unique_ptr<midiport::MidiOutPort> out;
    EXPECT_EQ(backend.OpenIn(
                  0, [](std::span<const uint8_t>) {}, in),
              0);
    EXPECT_EQ(backend.OpenOut(0, out), 0);
}

// A reconnection stops the thread and starts a new one on the same ports:
// the new one reads them, and nothing the old session left reaches it.
TEST_F(MidIOThreadTest, ThreadStartedAfterAStopReadsTheInput) {
    OpenBoth();
    peer->Send({0xC0, 0x01});
    Settle();
    ASSERT_EQ(MidIOStop(thread), 0);
    peer->Send({0xC0, 0x02});  // while no thread reads: lost with the closed port
    Settle();
    ASSERT_EQ(MidIOStart(thread, backend, std::chrono::milliseconds(0)), 0);
    OpenBoth();
    peer->Send({0xC0, 0x03});
    Settle();
    EXPECT_EQ(recorder.Take(), (std::vector<Received>{{0xC0, {0x01}}, {0xC0, {0x03}}}));
}

TEST_F(MidIOThreadTest, SendPutsOutExactlyWhatTheStatusNeeds) {
    OpenBoth();
    // One-byte buffers: reading a second data byte would be caught by the
    // address sanitizer.
    const auto program = std::make_unique<uint8_t[]>(1);
    program[0] = 0x11;
    EXPECT_EQ(MidIOSend(thread.get(), 0xC3, program.get(), 1), 0);
    const Bytes noteOn{0x3C, 0x7F};
    EXPECT_EQ(MidIOSend(thread.get(), 0x93, noteOn.data(), noteOn.size()), 0);
    const Bytes sysex{0x7E, 0x7F, 0x06, 0x01, 0xF7};
    EXPECT_EQ(MidIOSend(thread.get(), 0xF0, sysex.data(), sysex.size()), 0);
    // Nothing goes out for these, and each still answers 0.
    EXPECT_EQ(MidIOSend(thread.get(), 0xF7, sysex.data(), sysex.size()), 0);
    EXPECT_EQ(MidIOSend(thread.get(), 0xFF, sysex.data(), sysex.size()), 0);
    EXPECT_EQ(MidIOSend(thread.get(), 0x40, noteOn.data(), noteOn.size()), 0) << "not a status";
    EXPECT_EQ(MidIOSend(thread.get(), 0x90, noteOn.data(), 1), 0) << "too few data bytes";
    EXPECT_EQ(MidIOSend(thread.get(), 0xF0, sysex.data(), 3), 0) << "no F7";
    EXPECT_EQ(MidIOSend(nullptr, 0xC0, program.get(), 1), 0) << "no thread";
    LoopbackFaults faults;
    faults.failSend = true;
    peer->SetFaults(faults);
    EXPECT_EQ(MidIOSend(thread.get(), 0xC3, program.get(), 1), 0) << "refused, logged";
    Settle();
    EXPECT_EQ(Seen(),
              (std::vector<Bytes>{{0xC3, 0x11}, {0x93, 0x3C, 0x7F}, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}}));
}

TEST_F(MidIOThreadTest, TwoThreadsSendingGiveWholeMessagesInPerThreadOrder) {
    OpenBoth();
    Bytes dump(74322 - 1, 0x15);  // after F0, through F7
    dump.back() = 0xF7;
    constexpr int kShorts = 500;
    std::thread ui([&] {
        for (int i = 0; i < 3; ++i) {
            dump[0] = static_cast<uint8_t>(i);
            MidIOSend(thread.get(), 0xF0, dump.data(), dump.size());
        }
    });
    std::thread midi([&] {
        for (int i = 0; i < kShorts; ++i) {
            const uint8_t data[2] = {static_cast<uint8_t>(i & 0x7F), static_cast<uint8_t>(i >> 7)};
            MidIOSend(thread.get(), 0xB0, data, 2);
        }
    });
    ui.join();
    midi.join();
    Settle();
    int dumps = 0, shorts = 0;
    for (const Bytes& m : Seen()) {
        if (m[0] == 0xF0) {
            ASSERT_EQ(m.size(), 74322u);
            EXPECT_EQ(m[1], dumps++) << "dumps in order";
            EXPECT_EQ(m.back(), 0xF7);
            EXPECT_TRUE(std::all_of(m.begin() + 2, m.end() - 1, [](uint8_t b) { return b == 0x15; }));
        } else {
            ASSERT_EQ(m.size(), 3u);
            EXPECT_EQ(m[1] | (m[2] << 7), shorts++) << "short messages in order";
        }
    }
    EXPECT_EQ(dumps, 3);
    EXPECT_EQ(shorts, kShorts);
}

TEST_F(MidIOThreadTest, NothingReachesTheCallbackAfterStopReturns) {
    OpenBoth();
    std::thread traffic([&] {
        for (int i = 0; i < 3000; ++i) peer->Send({0x90, 0x40, 0x7F});
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_EQ(thread->MidIn::Stop(), 0);
    recorder.closed = true;
    traffic.join();
    Settle();
    EXPECT_EQ(recorder.late, 0);

    // The same across a whole quit, with a dump in flight.
    recorder.closed = false;
    ASSERT_EQ(thread->MidIn::Start(), 0);
    Bytes dump(74322, 0x01);
    dump.front() = 0xF0;
    dump.back() = 0xF7;
    for (int i = 0; i < 20; ++i) peer->Send(dump);
    ASSERT_EQ(MidIOStop(thread), 0);
    recorder.closed = true;
    peer->Drain();
    EXPECT_EQ(recorder.late, 0);
}

TEST_F(MidIOThreadTest, CallbackMayAnswerThroughTheSameThread) {
    const auto echo = [self = thread.get()](uint8_t status, std::span<const uint8_t> data) {
        if (status == 0xF0) MidIOSend(self, 0xF0, data.data(), data.size());
    };
    ASSERT_EQ(MidIOOpenIn(thread.get(), 0, echo), 0);
    ASSERT_EQ(MidIOOpenOut(thread.get(), 0), 0);
    const Bytes identity{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    peer->Send(identity);
    // The reply of the callback goes out after the request came in.
    Settle();
    Settle();
    EXPECT_EQ(Seen(), std::vector<Bytes>{identity});
}

TEST(MidIOThreadAlsa, PortsThatCannotOpenGiveOne) {
    midiport::AlsaMidiBackend alsa;
    std::unique_ptr<MidIOThread> thread;
    ASSERT_EQ(MidIOStart(thread, alsa, std::chrono::milliseconds(0)), 0);
    const int past = static_cast<int>(alsa.Inputs().size());
    EXPECT_EQ(MidIOOpenIn(thread.get(), past, [](uint8_t, std::span<const uint8_t>) {}), 1);
    EXPECT_EQ(MidIOOpenOut(thread.get(), static_cast<int>(alsa.Outputs().size())), 1);
    EXPECT_EQ(MidIOSend(thread.get(), 0xC0, std::vector<uint8_t>{1}.data(), 1), 0) << "no output: nothing";
    EXPECT_EQ(MidIOStop(thread), 0);
}
