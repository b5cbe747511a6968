// The document's transfers against the simulated synth at the default wire
// rate of a MIDI cable, on the real clock: a whole-device receive and a
// program write must end inside their waiting limits (30 s and 5 s), and the
// user interface must keep running meanwhile: the longest gap between two
// event-loop passes (time spent routing input and testing the condition,
// the routing of the final reply included) stays under 50 ms.
// Takes about 40 s: run it by hand, not in the test suite.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "device/MDevDesc.h"
#include "librarian/CVelkDoc.h"
#include "librarian/CVelkPreference.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "platform/midi/MidiPacer.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/librarian/VelkTestSeams.h"

namespace {

using Steady = std::chrono::steady_clock;

double Ms(Steady::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Sleeps out each pass like a pump with no events, and records the longest
// time between the end of one pass and the start of the next.
class GapPump final : public VelkEventPump {
public:
    explicit GapPump(VelkClock& clock) : clock_(clock) {}
    void PumpFor(std::chrono::milliseconds budget) override {
        const auto start = Steady::now();
        if (passes_ > 0) maxGap_ = std::max(maxGap_, start - lastEnd_);
        clock_.SleepFor(budget);
        lastEnd_ = Steady::now();
        ++passes_;
    }
    void Reset() { passes_ = 0, maxGap_ = {}; }
    // The longest gap, counting the time from the last pass to `end` (the
    // loop's return: routing the final reply belongs to it) as one too.
    Steady::duration MaxGapUntil(Steady::time_point end) const {
        return passes_ > 0 ? std::max(maxGap_, end - lastEnd_) : maxGap_;
    }
    int Passes() const { return passes_; }

private:
    VelkClock& clock_;
    int passes_ = 0;
    Steady::time_point lastEnd_{};
    Steady::duration maxGap_{};
};

class AcceptOverwrite final : public VelkOverwriteAsker {
public:
    bool Ask(const std::string&, int*, const MDevDesc*, int) override { return true; }
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
        std::string pattern = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) library = pattern;
        store.WriteString(CVelkPreference::kGroup, CVelkPreference::kLibraryPath, library);
        peer = backend.CreatePair("Sim:Port 1");
        peer->SetThrottle(midiport::MidiPacer::kDefaultBytesPerSecond);
        sim = std::make_unique<SimSynthOnLoopback>(model, peer);
        // No event loop runs here: the waiting loops route the input.
        doc = std::make_unique<CVelkDoc>(CVelkDocSeams{backend, prompter, clock, pump, progress,
                                                       overwrite, clipboard, preference, {}});
    }
    ~Bench() {
        doc.reset();
        std::error_code ignored;
        if (!library.empty()) std::filesystem::remove_all(library, ignored);
    }

    std::string library;
    CSteadyClock clock;
    GapPump pump{clock};
    velktest::FakePrompter prompter;
    velktest::FakeProgressBox progress;
    velktest::MemorySettingsStore store;
    CVelkPreference preference{store, ""};
    AcceptOverwrite overwrite;
    NoClipboard clipboard;
    midiport::LoopbackMidiBackend backend;
    std::shared_ptr<midiport::LoopbackPeer> peer;
    std::unique_ptr<SimSynthOnLoopback> sim;
    std::unique_ptr<CVelkDoc> doc;
};

// Arg 0: Brontisel, 1: Brontisel S.
void BM_DocReceiveAllAndWriteProgram(benchmark::State& state) {
    const SimModel model = state.range(0) == 0 ? SimModel::Brontisel : SimModel::BrontiselS;
    for (auto _ : state) {
        Bench bench(model);
        bench.doc->SelectMidiPorts();
        bench.doc->DetectDevices();
        MDevDesc* device = bench.doc->GetDevConfig().GetDevice(0);
        if (device == nullptr) {
            state.SkipWithError("no device identified");
            return;
        }
        bench.pump.Reset();
        const auto receiveStart = Steady::now();
        const bool received = bench.doc->ReceiveAll(device);
        const auto receiveEnd = Steady::now();
        const auto receiveTime = receiveEnd - receiveStart;
        const auto receiveGap = bench.pump.MaxGapUntil(receiveEnd);
        if (!received) {
            state.SkipWithError("receive failed");
            return;
        }

        // Save program 0 to the library, then write it to slot 1.
        const std::string folder = bench.doc->GetRoots().GetLibraryFolder(
            bench.doc->GetDevConfig().GetDeviceName(0).value_or(""));
        CFNameList programs;
        programs.Add(itempath::MakeProgramPath(bench.doc->GetDevConfig().GetDeviceName(0).value_or(""),
                                               device->FormatProgramNumber(0).value_or("")));
        bench.doc->PasteItems(programs, folder, false, 0, itempath::kRootLibrary, 2);
        CFNameList file;
        file.Add(folder + "/" + device->GetProgramName(0).value_or("") + ".prg");
        bench.pump.Reset();
        const auto writeStart = Steady::now();
        const int written = bench.doc->PasteItems(
            file, itempath::MakeDevicePath(bench.doc->GetDevConfig().GetDeviceName(0).value_or("")),
            false, 0, itempath::kRootDevice, 1);
        const auto writeEnd = Steady::now();
        const auto writeTime = writeEnd - writeStart;
        const auto writeGap = bench.pump.MaxGapUntil(writeEnd);
        if (written != 1 || !bench.prompter.shown.empty()) {
            state.SkipWithError("program write failed");
            return;
        }
        state.counters["receive_ms"] = Ms(receiveTime);
        state.counters["receive_limit_ms"] = 600 * 50;
        state.counters["receive_max_gap_ms"] = Ms(receiveGap);
        state.counters["write_ms"] = Ms(writeTime);
        state.counters["write_limit_ms"] = 100 + 50 * 100;
        state.counters["write_max_gap_ms"] = Ms(writeGap);
        std::printf("%s: receive %.0f ms (limit 30000), longest gap between passes %.2f ms (limit 50); "
                    "program write %.0f ms (limit 5100), longest gap %.2f ms\n",
                    model == SimModel::Brontisel ? "Brontisel" : "Brontisel S", Ms(receiveTime),
                    Ms(receiveGap), Ms(writeTime), Ms(writeGap));
    }
}
BENCHMARK(BM_DocReceiveAllAndWriteProgram)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
