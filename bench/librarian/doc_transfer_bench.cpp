// The document's transfers against the simulated synth on a cable of the
// given rate, on the real clock, wired as the program is: input is routed
// as it arrives (RouteInputVia through the services' event loop). A whole-device
// receive and a whole-device write of each model must end within 1.02 of
// their wire time (the bytes both ways at the cable's rate), a program write
// within 320 ms (the pause before it, its dump, the write request and both
// replies), and the user interface must keep running meanwhile: the longest
// gap between two event-loop passes (time spent outside the pump: testing
// the condition, the routing of a reply that came between passes) stays
// under 50 ms.
// Takes about 90 s: run it by hand, not in the test suite.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "device/MDevDesc.h"
#include "device/MDevZEPHAMessages.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkPreference.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace {

using Steady = std::chrono::steady_clock;
using Msg = MDevZEPHAMessages;

constexpr uint32_t kCable = 3125;  // a MIDI cable's bytes per second
constexpr uint32_t kSlowerCable = 3000;
constexpr double kWireLimit = 1.02;  // of the wire time, for the whole-device transfers
constexpr double kProgramWriteLimitMs = 320;
constexpr double kGapLimitMs = 50;

double Ms(Steady::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The scripted services' answers (every write confirmed) on the real clock,
// with the event loop of a program without windows: tasks posted from any
// thread (the input routing) run on the pumping thread as they arrive;
// between them a pass sleeps until its budget has passed. It records the
// longest time between the end of one pass and the start of the next.
class RealTimeUi final : public velktest::ScriptedUiServices {
public:
    void Post(Task task) override {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        posted_.notify_one();
    }
    void PumpFor(std::chrono::milliseconds budget) override {
        const auto start = Steady::now();
        if (passes_ > 0) maxGap_ = std::max(maxGap_, start - lastEnd_);
        const auto deadline = start + budget;
        std::unique_lock lock(mutex_);
        do {
            while (!tasks_.empty()) {
                Task task = std::move(tasks_.front());
                tasks_.pop_front();
                lock.unlock();
                task();
                lock.lock();
            }
        } while (posted_.wait_until(lock, deadline, [this] { return !tasks_.empty(); }));
        lock.unlock();
        lastEnd_ = Steady::now();
        ++passes_;
    }
    time_point Now() const override { return Steady::now(); }
    void SleepFor(std::chrono::milliseconds span) override {
        if (span.count() > 0) std::this_thread::sleep_for(span);
    }

    void Reset() { passes_ = 0, maxGap_ = {}; }
    // The longest gap, counting the time from the last pass to `end` (the
    // loop's return) as one too.
    Steady::duration MaxGapUntil(Steady::time_point end) const {
        return passes_ > 0 ? std::max(maxGap_, end - lastEnd_) : maxGap_;
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<Task> tasks_;
    int passes_ = 0;
    Steady::time_point lastEnd_{};
    Steady::duration maxGap_{};
};

class NoClipboard final : public VelkClipboard {
public:
    bool Put(const VelkPayload&) override { return false; }
    std::optional<VelkPayload> Get() override { return std::nullopt; }
    bool Clear() override { return true; }
    int RunDrag(const VelkPayload&, int) override { return kDropNone; }
};

struct Bench {
    explicit Bench(SimModel model) {
        store.WriteString(CVelkPreference::kGroup, CVelkPreference::kLibraryPath, library);
        peer = backend.CreatePair("Sim:Port 1");
        peer->SetThrottle(kCable);
        sim = std::make_unique<SimSynthOnLoopback>(model, peer);
        doc = std::make_unique<CVelkDoc>(backend, ui, clipboard, preference);
    }
    ~Bench() { doc.reset(); }

    std::string DeviceName() { return doc->GetDevConfig().GetDeviceName(0).value_or(""); }
    int PasteOntoDevice(const std::string& file) {
        CFNameList list;
        list.Add(file);
        return doc->PasteItems(list, itempath::MakeDevicePath(DeviceName()), false, 0, itempath::kRootDevice,
                               1);
    }

    struct Timed {
        double ms = 0;
        double maxGapMs = 0;
        bool ok = false;
    };
    Timed Time(const std::function<bool()>& transfer) {
        ui.Reset();
        const auto start = Steady::now();
        const bool ok = transfer() && ui.shown.empty();
        const auto end = Steady::now();
        return {Ms(end - start), Ms(ui.MaxGapUntil(end)), ok};
    }

    velktest::TempDir folder;
    const std::string library = folder.Path().string();
    // Before the document, which posts to it until it is gone.
    RealTimeUi ui;
    velktest::MemorySettingsStore store;
    CVelkPreference preference{store, ""};
    NoClipboard clipboard;
    midiport::LoopbackMidiBackend backend;
    std::shared_ptr<midiport::LoopbackPeer> peer;
    std::unique_ptr<SimSynthOnLoopback> sim;
    std::unique_ptr<CVelkDoc> doc;
};

// Bytes on the wire, both ways, of a whole-device receive and write.
struct WireBytes {
    std::size_t receive;
    std::size_t write;
};
WireBytes WholeDeviceBytes(SimModel model) {
    const std::size_t id = model == SimModel::Brontisel ? 1 : 3;
    const std::size_t shortMessage = 5 + id;  // F0 42 3g id function F7
    if (model == SimModel::Brontisel) {
        const std::size_t dump = shortMessage + Msg::kPackedAllDataSizeBrontisel;
        return {shortMessage + dump, dump + shortMessage};
    }
    const std::size_t dump = shortMessage + Msg::kPackedAllDataSizeBrontiselS;
    const std::size_t global = shortMessage + Msg::kPackedGlobalSize;
    return {2 * shortMessage + global + dump, dump + shortMessage};
}

double WireMs(std::size_t bytes, uint32_t rate) { return 1000.0 * static_cast<double>(bytes) / rate; }

// Arg 0: Brontisel, 1: Brontisel S.
void BM_DocTransfers(benchmark::State& state) {
    const SimModel model = state.range(0) == 0 ? SimModel::Brontisel : SimModel::BrontiselS;
    const char* name = model == SimModel::Brontisel ? "Brontisel" : "Brontisel S";
    const WireBytes wire = WholeDeviceBytes(model);
    for (auto _ : state) {
        Bench bench(model);
        bench.doc->SelectMidiPorts();
        bench.doc->DetectDevices();
        MDevDesc* device = bench.doc->GetDevConfig().GetDevice(0);
        if (device == nullptr) {
            state.SkipWithError("no device identified");
            return;
        }
        const auto receive = bench.Time([&] { return bench.doc->ReceiveAll(device); });
        if (!receive.ok) {
            state.SkipWithError("receive failed");
            return;
        }

        // The device into a setup file, then that file onto the device.
        const std::string setups = bench.doc->GetRoots().GetSetupFolder(bench.DeviceName());
        CFNameList whole;
        whole.Add(itempath::MakeDevicePath(bench.DeviceName()));
        bench.doc->PasteItems(whole, setups, false, 0, itempath::kRootSetup, 2);
        const auto writeAll =
            bench.Time([&] { return bench.PasteOntoDevice(setups + "/untitled.set") == 1; });
        if (!writeAll.ok) {
            state.SkipWithError("whole-device write failed");
            return;
        }

        // Program 0 into the library, then that file onto slot 0.
        const std::string library = bench.doc->GetRoots().GetLibraryFolder(bench.DeviceName());
        CFNameList programs;
        programs.Add(
            itempath::MakeProgramPath(bench.DeviceName(), device->FormatProgramNumber(0).value_or("")));
        bench.doc->PasteItems(programs, library, false, 0, itempath::kRootLibrary, 2);
        const std::string program = library + "/" + device->GetProgramName(0).value_or("") + ".prg";
        const auto writeProgram = bench.Time([&] { return bench.PasteOntoDevice(program) == 1; });
        bench.peer->SetThrottle(kSlowerCable);
        const auto writeProgramSlower = bench.Time([&] { return bench.PasteOntoDevice(program) == 1; });
        if (!writeProgram.ok || !writeProgramSlower.ok) {
            state.SkipWithError("program write failed");
            return;
        }

        const double receiveRatio = receive.ms / WireMs(wire.receive, kCable);
        const double writeRatio = writeAll.ms / WireMs(wire.write, kCable);
        state.counters["receive_ms"] = receive.ms;
        state.counters["receive_wire_ratio"] = receiveRatio;
        state.counters["write_all_ms"] = writeAll.ms;
        state.counters["write_all_wire_ratio"] = writeRatio;
        state.counters["write_program_ms"] = writeProgram.ms;
        state.counters["write_program_3000_ms"] = writeProgramSlower.ms;
        state.counters["max_gap_ms"] = std::max(
            {receive.maxGapMs, writeAll.maxGapMs, writeProgram.maxGapMs, writeProgramSlower.maxGapMs});
        const auto verdict = [](bool ok) { return ok ? "ok" : "OVER"; };
        std::printf("%s at %u B/s: receive %.0f ms = %.4f x its wire time %.0f ms (limit %.2f) %s\n", name,
                    kCable, receive.ms, receiveRatio, WireMs(wire.receive, kCable), kWireLimit,
                    verdict(receiveRatio <= kWireLimit));
        std::printf(
            "%s at %u B/s: whole-device write %.0f ms = %.4f x its wire time %.0f ms (limit %.2f) %s\n", name,
            kCable, writeAll.ms, writeRatio, WireMs(wire.write, kCable), kWireLimit,
            verdict(writeRatio <= kWireLimit));
        std::printf("%s: program write %.0f ms at %u B/s, %.0f ms at %u B/s (limit %.0f) %s\n", name,
                    writeProgram.ms, kCable, writeProgramSlower.ms, kSlowerCable, kProgramWriteLimitMs,
                    verdict(std::max(writeProgram.ms, writeProgramSlower.ms) <= kProgramWriteLimitMs));
        std::printf("%s: longest gap between passes %.2f ms (limit %.0f)\n", name,
                    state.counters["max_gap_ms"].value, kGapLimitMs);
    }
}
BENCHMARK(BM_DocTransfers)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
