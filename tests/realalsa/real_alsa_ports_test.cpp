// The MIDI port layer on the kernel's own sequencer. Run by
// scripts/real-alsa-test.sh as root in a virtual machine with snd-virmidi
// and snd-seq-dummy loaded: the raw device behind the sequencer port
// "VirMIDI 0-0" is the far end of the cable, read and written here with
// plain open, read and write. Not part of CTest (no sequencer there).

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/midi/AlsaMidiBackend.h"
#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiResult.h"
#include "simulator/RawMidiFile.h"
#include "simulator/SimSynthOnRawMidi.h"
#include "tests/platform/InputReader.h"
#include "tests/realalsa/VirMidiCard.h"

namespace {

using namespace midiport;
using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;
using virmidi::kPort;
using virmidi::kRaw;

// A whole Brontisel S on the wire.
constexpr std::size_t kWholeDevice = 74322;

Bytes SysEx(std::size_t size, int seed) {
    Bytes m(size);
    m.front() = 0xF0;
    m.back() = 0xF7;
    for (std::size_t i = 1; i + 1 < size; ++i)
        m[i] = static_cast<uint8_t>((i * 31 + static_cast<std::size_t>(seed)) & 0x7F);
    return m;
}

template <typename Done>
bool Within(std::chrono::seconds limit, Done done) {
    const auto deadline = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

// Complete messages read from the raw side, running status undone.
class RawReader {
public:
    void Feed(const Bytes& bytes) {
        Bytes expanded;
        for (const uint8_t b : bytes) running_.Expand(b, expanded);
        std::lock_guard lock(mutex_);
        framer_.Feed(expanded,
                     [this](std::span<const uint8_t> m) { messages_.emplace_back(m.begin(), m.end()); });
    }
    std::vector<Bytes> Messages() {
        std::lock_guard lock(mutex_);
        return messages_;
    }

private:
    std::mutex mutex_;
    SimRunningStatus running_;
    MidiInputFramer framer_;
    std::vector<Bytes> messages_;
};

class RealAlsa : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::access("/dev/snd/seq", F_OK), 0) << "no ALSA sequencer here";
        backend_ = std::make_unique<AlsaMidiBackend>();
        ASSERT_TRUE(backend_->Available());
        reader_ = std::make_unique<InputReader>(*backend_);
        backend_->SetNoticeHandler([this](const MidiNotice& n) {
            std::lock_guard lock(mutex_);
            notices_.push_back(n);
        });
    }
    void TearDown() override {
        reader_.reset();
        backend_.reset();
    }

    std::size_t NoticeCount(MidiNoticeKind kind) {
        std::lock_guard lock(mutex_);
        std::size_t count = 0;
        for (const MidiNotice& n : notices_) count += n.kind == kind ? 1 : 0;
        return count;
    }

    static int IdOf(const std::vector<MidiPortInfo>& ports, const std::string& name) {
        for (std::size_t i = 0; i < ports.size(); ++i)
            if (ports[i].name == name) return static_cast<int>(i);
        return -1;
    }

    std::unique_ptr<MidiOutPort> OpenOut() {
        std::unique_ptr<MidiOutPort> out;
        const int id = IdOf(backend_->Outputs(), kPort);
        EXPECT_GE(id, 0) << "no output " << kPort;
        EXPECT_EQ(backend_->OpenOut(id, out), kOk);
        return out;
    }
    std::unique_ptr<MidiInPort> OpenIn() {
        std::unique_ptr<MidiInPort> in;
        const int id = IdOf(backend_->Inputs(), kPort);
        EXPECT_GE(id, 0) << "no input " << kPort;
        EXPECT_EQ(backend_->OpenIn(
                      id,
                      [this](std::span<const uint8_t> m) {
                          std::lock_guard lock(mutex_);
                          received_.emplace_back(m.begin(), m.end());
                      },
                      in),
                  kOk);
        if (in) {
            EXPECT_EQ(in->Start(), kOk);
        }
        return in;
    }
    std::vector<Bytes> Received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

    std::unique_ptr<AlsaMidiBackend> backend_;
    std::unique_ptr<InputReader> reader_;  // the MIDI thread
    std::mutex mutex_;
    std::vector<MidiNotice> notices_;
    std::vector<Bytes> received_;
};

TEST_F(RealAlsa, ListsTheVirtualPortsButNotMidiThroughNorTheSystem) {
    for (const bool inputs : {true, false}) {
        SCOPED_TRACE(inputs ? "inputs" : "outputs");
        const std::vector<MidiPortInfo> ports = inputs ? backend_->Inputs() : backend_->Outputs();
        std::string shown;
        for (const MidiPortInfo& p : ports) shown += "  " + p.name + (p.hardware ? " (hardware)\n" : "\n");
        std::printf("%s:\n%s", inputs ? "inputs" : "outputs", shown.c_str());
        ASSERT_GE(ports.size(), 4u);
        for (int d = 0; d < 4; ++d) {
            const std::string n = "0-" + std::to_string(d);
            EXPECT_EQ(ports[static_cast<std::size_t>(d)].name, "Virtual Raw MIDI " + n + ":VirMIDI " + n);
            EXPECT_FALSE(ports[static_cast<std::size_t>(d)].hardware) << "the kernel types VirMIDI SOFTWARE";
        }
        for (const MidiPortInfo& p : ports) {
            EXPECT_EQ(p.name.find("Midi Through"), std::string::npos) << p.name;
            EXPECT_NE(p.name.rfind("System:", 0), 0u) << p.name;
            EXPECT_NE(p.name.rfind("VELK Editor:", 0), 0u) << p.name;
        }
    }
}

// The kernel accepts a fast sysex at once and drops most of it on the way
// to the raw device: only the pacing brings a whole device over.
TEST_F(RealAlsa, WholeDeviceSysExGoesEachWayWholeAtOnce) {
    RawMidiFile raw(kRaw);
    ASSERT_TRUE(raw.IsOpen()) << raw.Error();
    std::unique_ptr<MidiInPort> in = OpenIn();
    std::unique_ptr<MidiOutPort> out = OpenOut();
    ASSERT_TRUE(in && out);
    const Bytes toSynth = SysEx(kWholeDevice, 7);
    const Bytes fromSynth = SysEx(kWholeDevice, 11);

    std::atomic<bool> written{false};
    std::thread synth([&] { written = raw.Write(fromSynth, RawMidiFile::kCableBytesPerSecond); });
    const auto start = Clock::now();
    ASSERT_EQ(out->SendSysEx(toSynth), kOk);
    Bytes arrived;
    while (arrived.size() < toSynth.size() && Clock::now() - start < 90s && raw.IsOpen()) {
        const Bytes bytes = raw.Read(100ms);
        arrived.insert(arrived.end(), bytes.begin(), bytes.end());
    }
    synth.join();
    EXPECT_TRUE(written.load());
    EXPECT_TRUE(Within(30s, [&] { return !Received().empty(); }));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("74,322 bytes each way in %.1f s\n", seconds);

    EXPECT_EQ(arrived.size(), toSynth.size());
    EXPECT_TRUE(arrived == toSynth) << "the sysex to the synth arrived changed";
    const std::vector<Bytes> got = Received();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].size(), fromSynth.size());
    EXPECT_TRUE(got[0] == fromSynth) << "the sysex from the synth arrived changed";
    EXPECT_EQ(NoticeCount(MidiNoticeKind::SendFailed), 0u);
    EXPECT_EQ(NoticeCount(MidiNoticeKind::InputOverrun), 0u);
}

// The far end read as a cable drains it: one byte every 320 us while bytes
// wait, the time it stands idle earning nothing. The sequencer takes direct
// events without holding the sender back, and what does not fit into the
// 4,096 bytes the kernel keeps in front of the cable is dropped silently:
// the pacing alone must keep up with the cable without running ahead of it.
TEST_F(RealAlsa, WholeDeviceDumpGoesAtTheCablesPaceWithNothingLost) {
    RawMidiFile raw(kRaw);
    ASSERT_TRUE(raw.IsOpen()) << raw.Error();
    std::unique_ptr<MidiOutPort> out = OpenOut();
    ASSERT_TRUE(out);
    const Bytes dump = SysEx(kWholeDevice, 5);
    constexpr Clock::duration kByteTime = 320us;  // a byte at 31,250 baud
    constexpr auto kGiveUp = 5s;                  // without a byte: the rest was lost

    Bytes arrived;
    const Clock::time_point start = Clock::now();
    ASSERT_EQ(out->SendSysEx(dump), kOk);
    Clock::time_point last = start;  // when the last byte was taken
    Clock::time_point busy = start;  // the cable has been taking bytes since
    std::size_t taken = 0;           // bytes taken since `busy`
    while (arrived.size() < dump.size() && raw.IsOpen() && Clock::now() - last < kGiveUp) {
        const Clock::time_point now = Clock::now();
        const auto earned = static_cast<std::size_t>((now - busy) / kByteTime) - taken;
        if (earned == 0) {
            std::this_thread::sleep_until(busy + static_cast<Clock::rep>(taken + 1) * kByteTime);
            continue;
        }
        const Bytes bytes = raw.Read(0ms, earned);
        arrived.insert(arrived.end(), bytes.begin(), bytes.end());
        taken += bytes.size();
        if (!bytes.empty()) last = now;
        if (bytes.size() < earned) {  // nothing waits: the cable stands idle
            busy = now;
            taken = 0;
        }
    }
    const double seconds = std::chrono::duration<double>(last - start).count();
    const double wire = static_cast<double>(kWholeDevice) / RawMidiFile::kCableBytesPerSecond;
    const std::size_t lost = dump.size() - std::min(arrived.size(), dump.size());
    std::printf("pacing: %zu bytes in %.3f s, %.4f of the wire, %zu lost\n", kWholeDevice, seconds,
                seconds / wire, lost);
    EXPECT_EQ(lost, 0u);
    EXPECT_LE(seconds / wire, 1.01) << "the pacing kept the cable waiting";
    EXPECT_TRUE(arrived == dump) << "the dump arrived changed";
    EXPECT_EQ(NoticeCount(MidiNoticeKind::SendFailed), 0u);
}

TEST_F(RealAlsa, ShortMessagesInterleavedWithSysExArriveWholeAndInOrder) {
    RawMidiFile raw(kRaw);
    ASSERT_TRUE(raw.IsOpen()) << raw.Error();
    std::unique_ptr<MidiInPort> in = OpenIn();
    std::unique_ptr<MidiOutPort> out = OpenOut();
    ASSERT_TRUE(in && out);
    std::vector<Bytes> messages;
    for (int i = 0; i < 300; ++i) {
        const uint8_t v = static_cast<uint8_t>(i & 0x7F);
        switch (i % 5) {
        case 0: messages.push_back({0x90, v, 0x40}); break;
        case 1: messages.push_back({0x80, v, 0x00}); break;
        case 2: messages.push_back({0xB3, 0x63, v}); break;  // an NRPN's parts, as the editors send
        case 3: messages.push_back({0xC3, v}); break;
        case 4: messages.push_back({0xE0, 0x00, v}); break;
        }
        if (i % 30 == 29) messages.push_back(SysEx(300, i));
    }

    Bytes wire;
    for (const Bytes& m : messages) wire.insert(wire.end(), m.begin(), m.end());
    std::thread synth([&] { raw.Write(wire, RawMidiFile::kCableBytesPerSecond); });
    for (const Bytes& m : messages) ASSERT_EQ(m.front() == 0xF0 ? out->SendSysEx(m) : out->SendShort(m), kOk);
    RawReader reader;
    const auto start = Clock::now();
    while (reader.Messages().size() < messages.size() && Clock::now() - start < 60s && raw.IsOpen())
        reader.Feed(raw.Read(100ms));
    synth.join();
    EXPECT_TRUE(Within(30s, [&] { return Received().size() >= messages.size(); }));

    EXPECT_EQ(reader.Messages(), messages) << "to the synth";
    EXPECT_EQ(Received(), messages) << "from the synth";
}

// A reconnection ends the MIDI thread before its ports close and opens the
// new ports before the next thread reads: whatever the kernel announced
// about the old session's ports (the new ones may carry the same numbers)
// waits for the new thread, and must not make it take the new ports for
// gone.
TEST_F(RealAlsa, NewReadingThreadAfterAReconnectTakesTheNewPortsAsTheyAre) {
    RawMidiFile raw(kRaw);
    ASSERT_TRUE(raw.IsOpen()) << raw.Error();
    const auto sendAndRead = [&](std::unique_ptr<MidiOutPort>& out, const Bytes& note) {
        if (out->SendShort(note) != kOk) return false;
        Bytes back;
        const bool got = Within(10s, [&] {
            const Bytes bytes = raw.Read(50ms);
            back.insert(back.end(), bytes.begin(), bytes.end());
            return back.size() >= note.size();
        });
        return got && back == note;
    };
    reader_.reset();
    for (int session = 0; session < 3; ++session) {
        SCOPED_TRACE(session);
        std::unique_ptr<MidiInPort> in = OpenIn();
        std::unique_ptr<MidiOutPort> out = OpenOut();
        ASSERT_TRUE(in && out);
        reader_ = std::make_unique<InputReader>(*backend_);
        EXPECT_TRUE(sendAndRead(out, Bytes{0x90, static_cast<uint8_t>(0x30 + session), 0x40}));
        const Bytes reply = SysEx(40, session);
        ASSERT_TRUE(raw.Write(reply, 0));
        // Read after what the kernel announced before it.
        EXPECT_TRUE(Within(10s, [&] { return !Received().empty(); }));
        EXPECT_EQ(Received(), std::vector<Bytes>{reply});
        EXPECT_EQ(NoticeCount(MidiNoticeKind::PortGone), 0u);
        EXPECT_TRUE(sendAndRead(out, Bytes{0x80, static_cast<uint8_t>(0x30 + session), 0x00}));
        {
            std::lock_guard lock(mutex_);
            received_.clear();
        }
        reader_.reset();  // the thread ends first, then its ports close
        in.reset();
        out.reset();
    }
    EXPECT_EQ(NoticeCount(MidiNoticeKind::SendFailed), 0u);
}

// Unplugging the card while a whole device goes out: the port layer must
// say so, take nothing more and close at once; once the card is back the
// port is listed again and opens by its name.
TEST_F(RealAlsa, UnplugMidTransferIsReportedWithoutAHangAndTheCardOpensAgainByName) {
    auto raw = std::make_unique<RawMidiFile>(kRaw);
    ASSERT_TRUE(raw->IsOpen()) << raw->Error();
    std::unique_ptr<MidiInPort> in = OpenIn();
    std::unique_ptr<MidiOutPort> out = OpenOut();
    ASSERT_TRUE(in && out);
    ASSERT_EQ(out->SendSysEx(SysEx(kWholeDevice, 3)), kOk);
    // The synth's side reads until the card goes, then lets go of the file
    // (the unplug waits for that).
    std::atomic<std::size_t> arrived{0};
    std::thread synth([&] {
        while (raw->IsOpen()) arrived += raw->Read(100ms).size();
    });
    ASSERT_TRUE(Within(60s, [&] { return arrived.load() >= 3000; })) << "the transfer did not start";

    std::atomic<int> unbound{-1};
    std::thread unplug([&] { unbound = virmidi::Drive("unbind"); });
    const bool unplugged = Within(30s, [&] { return unbound.load() >= 0; });
    EXPECT_TRUE(unplugged) << "the unplug hangs";
    EXPECT_EQ(unbound.load(), 0) << std::strerror(unbound.load() > 0 ? unbound.load() : 0);
    synth.join();
    std::printf("unplugged after %zu of %zu bytes\n", arrived.load(), kWholeDevice);
    EXPECT_LT(arrived.load(), kWholeDevice);

    EXPECT_TRUE(Within(10s, [&] { return NoticeCount(MidiNoticeKind::PortGone) >= 2; }))
        << "the input and the output are reported gone";
    EXPECT_TRUE(Within(10s, [&] { return NoticeCount(MidiNoticeKind::PortsChanged) >= 1; }));
    EXPECT_EQ(IdOf(backend_->Outputs(), kPort), -1);
    EXPECT_EQ(out->SendShort(Bytes{0x90, 0x3C, 0x40}), kPortGone);
    const auto closing = Clock::now();
    EXPECT_EQ(out->Close(), kOk);
    EXPECT_EQ(in->Close(), kOk);
    EXPECT_LT(Clock::now() - closing, 5s) << "closing waited for the rest of the sysex";
    out.reset();
    in.reset();
    if (!unplugged) {
        unplug.detach();
        return;
    }
    unplug.join();

    ASSERT_EQ(virmidi::Drive("bind"), 0);
    ASSERT_TRUE(Within(30s, [&] { return IdOf(backend_->Outputs(), kPort) >= 0; }));
    ASSERT_TRUE(Within(30s, [&] { return ::access(kRaw, F_OK) == 0; }));
    raw = std::make_unique<RawMidiFile>(kRaw);
    ASSERT_TRUE(raw->IsOpen()) << raw->Error();
    in = OpenIn();
    out = OpenOut();
    ASSERT_TRUE(in && out);
    ASSERT_EQ(out->SendShort(Bytes{0x90, 0x3C, 0x40}), kOk);
    Bytes back;
    ASSERT_TRUE(Within(10s, [&] {
        const Bytes bytes = raw->Read(50ms);
        back.insert(back.end(), bytes.begin(), bytes.end());
        return back.size() >= 3;
    }));
    EXPECT_EQ(back, (Bytes{0x90, 0x3C, 0x40}));
    ASSERT_TRUE(raw->Write(SysEx(40, 5), 0));
    EXPECT_TRUE(Within(10s, [&] { return Received() == std::vector<Bytes>{SysEx(40, 5)}; }));
}

}  // namespace
