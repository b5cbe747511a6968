// Device description benchmarks: unpacking a whole-device dump, the path of
// a received dump from the loopback to the flag a waiting loop sees, and
// whole-device transfers at the speed of a MIDI cable.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "device/MDevConfig.h"
#include "device/MDevDescZEPHA.h"
#include "device/MDevZEPHAMessages.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/support/ScriptedUiServices.h"

namespace {

using Clock = std::chrono::steady_clock;
using Messages = MDevZEPHAMessages;

// Identity reply of a Brontisel S on channel 0, bytes after F0.
const std::vector<uint8_t> kReplyS{0x7E, 0x00, 0x06, 0x02, 0x42, 0x40, 0x01,
                                   0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7};

// A Brontisel S global dump: the device counts as received with it.
std::vector<uint8_t> GlobalS(const MDevModelInfo& model) {
    return Messages::GlobalDump(0, model, MDevGlobalData{});
}

std::vector<uint8_t> AllDataS() {
    std::vector<uint8_t> payload(Messages::kAllDataSizeBrontiselS);
    for (std::size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7);
    return Messages::AllDataDumpBrontiselS(0, payload);
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BM_UnpackAllDataSInto256Programs(benchmark::State& state) {
    midiport::LoopbackMidiBackend backend;
    MDevConfig config(backend);
    MDevDescZEPHA dev(config);
    dev.Initialize();
    dev.OnIdentityReply(0xF0, kReplyS);
    const auto global = GlobalS(dev.GetModelInfo());
    dev.OnSysEx(std::span<const uint8_t>(global.data() + 1, global.size() - 1));
    const auto dump = AllDataS();
    const std::span<const uint8_t> data(dump.data() + 1, dump.size() - 1);
    for (auto _ : state) {
        dev.OnSysEx(data);
        benchmark::DoNotOptimize(dev.IsDumpReceived());
    }
    if (!dev.IsDumpReceived()) state.SkipWithError("dump not applied");
}
BENCHMARK(BM_UnpackAllDataSInto256Programs)->Unit(benchmark::kMillisecond);

// The system and a simulated synth on one loopback pair.
struct Rig {
    explicit Rig(SimModel model) {
        peer = backend.CreatePair("Sim");
        sim = std::make_unique<SimSynthOnLoopback>(model, peer);
        config = std::make_unique<MDevConfig>(backend);
        config->SetPauses(std::chrono::milliseconds{0}, std::chrono::milliseconds{0});
        config->CreateDevice();
    }
    ~Rig() { config.reset(); }

    bool Wait(const std::function<bool()>& done, int count, std::chrono::milliseconds every) {
        for (int i = 0; i < count; ++i) {
            config->ProcessInput();
            if (done()) return true;
            std::this_thread::sleep_for(every);
        }
        return false;
    }
    bool Connect() {
        return config->OpenPorts() == 0 &&
               Wait([this] { return config->GetDeviceCount() == 1; }, 20, std::chrono::milliseconds{50});
    }
    MDevDesc& Dev() { return *config->GetDevice(0); }

    midiport::LoopbackMidiBackend backend;
    std::shared_ptr<midiport::LoopbackPeer> peer;
    std::unique_ptr<SimSynthOnLoopback> sim;
    std::unique_ptr<MDevConfig> config;
};

// A Brontisel S all-data dump sent unthrottled by the synth's side; a
// waiting loop drains the inbox every 50 ms. Reported: median time from the
// dump's last byte to the flag seen, and of its processing (inbox to flag).
void BM_AllDataDumpToFlagSeen(benchmark::State& state) {
    Rig rig(SimModel::BrontiselS);
    if (!rig.Connect()) {
        state.SkipWithError("no device");
        return;
    }
    // The time the routing was last posted (a message was queued); the
    // posted routing runs when the loop below polls, as an event loop would.
    std::atomic<Clock::rep> queued{0};
    velktest::ScriptedUiServices loop;
    rig.config->RouteInputVia([&](std::function<void()> task) {
        queued = Clock::now().time_since_epoch().count();
        loop.Post(std::move(task));
    });
    const auto runPosted = [&] { loop.RunPending(); };
    const auto dump = AllDataS();
    const auto global = GlobalS(static_cast<MDevDescZEPHA&>(rig.Dev()).GetModelInfo());
    std::vector<double> total, processing, transport;
    for (auto _ : state) {
        // Clear the flag the way a reconnection would: by a fresh device state.
        rig.Dev().Initialize();
        // The global first, routed before the timed dump is sent.
        rig.peer->Send(global);
        rig.peer->Drain();
        runPosted();
        const auto sent = Clock::now();
        rig.peer->Send(dump);
        bool seen = false;
        for (int i = 0; i < 600 && !seen; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds{50});
            const auto start = Clock::now();
            runPosted();
            if (rig.Dev().IsDumpReceived()) {
                const auto now = Clock::now();
                seen = true;
                total.push_back(Ms(now - sent));
                processing.push_back(Ms(now - start));
                transport.push_back(Ms(Clock::time_point(Clock::duration(queued.load())) - sent));
            }
        }
        if (!seen) state.SkipWithError("dump not received");
    }
    state.counters["median_total_ms"] = Median(total);
    state.counters["median_processing_ms"] = Median(processing);
    state.counters["median_transport_ms"] = Median(transport);
}
BENCHMARK(BM_AllDataDumpToFlagSeen)->Iterations(20)->Unit(benchmark::kMillisecond);

// Whole-device read and write at 3,125 bytes/s, within the waiting limits
// of the transfers (600 x 50 ms to receive, 300 x 100 ms to write).
void BM_WholeDeviceAtCableSpeed(benchmark::State& state) {
    const SimModel model = state.range(0) == 0 ? SimModel::Brontisel : SimModel::BrontiselS;
    constexpr double kRate = 3125.0;
    Rig rig(model);
    if (!rig.Connect()) {
        state.SkipWithError("no device");
        return;
    }
    rig.peer->SetThrottle(static_cast<uint32_t>(kRate));
    const bool s = model == SimModel::BrontiselS;
    // Read: requests out, (global and) all-data dump in.
    const double readBytes = s ? 8 + 8 + 237 + 74322 : 6 + 37392;
    const double writeBytes = (s ? 74322 : 37392) + (s ? 8 : 6);
    for (auto _ : state) {
        rig.Dev().Initialize();
        auto start = Clock::now();
        rig.Dev().RequestAllData();
        if (!rig.Wait([&] { return rig.Dev().IsDumpReceived() != 0; }, 600, std::chrono::milliseconds{50})) {
            state.SkipWithError("read timed out");
            return;
        }
        const double readMs = Ms(Clock::now() - start);
        start = Clock::now();
        rig.Dev().SendAllData();
        if (!rig.Wait([&] { return rig.Dev().TakeChanged() != 0; }, 300, std::chrono::milliseconds{100})) {
            rig.Dev().CancelTransfer();
            state.SkipWithError("write timed out");
            return;
        }
        const double writeMs = Ms(Clock::now() - start);
        const double readWire = readBytes / kRate * 1000;
        const double writeWire = writeBytes / kRate * 1000;
        std::printf(
            "%s read: wire %.0f ms, total %.0f ms, ratio %.3f; write: wire %.0f ms, "
            "total %.0f ms, ratio %.3f (limit 30000 ms each)\n",
            s ? "Brontisel S" : "Brontisel", readWire, readMs, readMs / readWire, writeWire, writeMs,
            writeMs / writeWire);
        state.counters["read_ms"] = readMs;
        state.counters["write_ms"] = writeMs;
    }
}
BENCHMARK(BM_WholeDeviceAtCableSpeed)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
