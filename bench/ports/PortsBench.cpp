// Loopback throughput for a whole-device dump, the latency from the peer's
// send to the input callback, and the CPU the pacer costs per second of
// sending at the MIDI wire rate.

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "midifile/MidIOThread.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "platform/midi/MidiPacedWriter.h"

namespace {

constexpr std::size_t kDumpBytes = 74322;

std::vector<uint8_t> Dump() {
    std::vector<uint8_t> dump(kDumpBytes, 0x2A);
    dump.front() = 0xF0;
    dump.back() = 0xF7;
    return dump;
}

struct Arrivals {
    std::mutex mutex;
    std::condition_variable arrived;
    std::size_t count = 0;
    std::chrono::steady_clock::time_point last;

    void Arrived() {
        const auto now = std::chrono::steady_clock::now();
        std::lock_guard lock(mutex);
        ++count;
        last = now;
        arrived.notify_all();
    }
};

// Peer to callback: a 74 KB dump through the unthrottled loopback and the
// MIDI thread. The latency counter is the time from the peer's send to the
// callback (it includes copying and framing the whole dump).
void BM_LoopbackDumpToCallback(benchmark::State& state) {
    midiport::LoopbackMidiBackend backend;
    auto peer = backend.CreatePair("Bench:Port");
    std::unique_ptr<MidIOThread> thread;
    MidIOStart(thread, backend, std::chrono::milliseconds(0));
    Arrivals arrivals;
    if (MidIOOpenIn(thread.get(), 0,
                    [&arrivals](uint8_t, std::span<const uint8_t>) { arrivals.Arrived(); }) != 0) {
        state.SkipWithError("open failed");
        return;
    }
    const std::vector<uint8_t> dump = Dump();
    double latencySum = 0;
    for (auto _ : state) {
        std::unique_lock lock(arrivals.mutex);
        const std::size_t before = arrivals.count;
        const auto sent = std::chrono::steady_clock::now();
        peer->Send(dump);
        arrivals.arrived.wait(lock, [&] { return arrivals.count > before; });
        latencySum += std::chrono::duration<double, std::micro>(arrivals.last - sent).count();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kDumpBytes));
    state.counters["latency_us"] = latencySum / static_cast<double>(state.iterations());
    MidIOStop(thread);
}
BENCHMARK(BM_LoopbackDumpToCallback)->UseRealTime();

// System to peer: MidIOSend of a 74 KB dump until the peer's handler has it.
void BM_LoopbackDumpToPeer(benchmark::State& state) {
    midiport::LoopbackMidiBackend backend;
    auto peer = backend.CreatePair("Bench:Port");
    std::mutex mutex;
    std::condition_variable arrived;
    std::size_t count = 0;
    peer->SetHandler([&](std::vector<uint8_t>) {
        std::lock_guard lock(mutex);
        ++count;
        arrived.notify_all();
    });
    std::unique_ptr<MidIOThread> thread;
    MidIOStart(thread, backend, std::chrono::milliseconds(0));
    MidIOOpenOut(thread.get(), 0);
    const std::vector<uint8_t> dump = Dump();
    for (auto _ : state) {
        std::unique_lock lock(mutex);
        const std::size_t before = count;
        MidIOSend(thread.get(), 0xF0, dump.data() + 1, dump.size() - 1);
        arrived.wait(lock, [&] { return count > before; });
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kDumpBytes));
    MidIOStop(thread);
}
BENCHMARK(BM_LoopbackDumpToPeer)->UseRealTime();

// One iteration is one second of sending at the cable's rate in 256-byte
// chunks, with the clock, the wait and the output as no-ops: what is left
// is the pacing itself. core_fraction is the share of one core it needs.
void BM_PacerPerWireSecond(benchmark::State& state) {
    midiport::MidiPacer::Clock::time_point now{};
    const std::vector<uint8_t> second(midiport::MidiPacer::kDefaultBytesPerSecond, 0x11);
    midiport::MidiPacedWriter writer(midiport::MidiPacer(),
                                     {[&] { return now; },
                                      [&](midiport::MidiPacer::Clock::time_point until) {
                                          now = until;
                                          return true;
                                      },
                                      [](std::span<const uint8_t> chunk) {
                                          benchmark::DoNotOptimize(chunk.data());
                                          return true;
                                      }});
    for (auto _ : state) benchmark::DoNotOptimize(writer.Write(second));
    state.counters["core_fraction"] = benchmark::Counter(
        static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PacerPerWireSecond);

}  // namespace
