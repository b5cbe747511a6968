// Every editor page drawn after its tab is chosen, on a real display: the
// time from the tab change (both editors show a page they keep) until the
// page has been drawn for the last time. Goal: 50 ms at most for every
// page, the first change to it included. And the Program Editor's opening
// in each voice mode: from its construction (which builds the pages of the
// voice mode's tabs) until its first page has been drawn.
// Counters (ms unless said): "build" the tab change itself and "draw" the
// drawing after it (wall time); "cpu" our processor time for both (a loaded
// machine stretches it less than the wall time; the display server's work
// is not in it); "first" the first change to the page (every page but the
// one shown at opening is drawn for the first time then); "best" and
// "leastCpu" the least wall and processor time of one change (the least
// disturbed by other work on the machine); "paints" how often the page was
// drawn (once is enough: the GTK theme's transitions made it some six
// times). Needs a display:
//   tests/guitest/run-with-display.sh build/bench/bench_editors

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/notebook.h>
#include <wx/timer.h>
#include <wx/utils.h>

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "device/MDevProgramParamId.h"
#include "editors/wx/CDialogEditGlb.h"
#include "editors/wx/CDialogEditPrg.h"
#include "editors/wx/CProgramPage.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "simulator/SimSynthOnLoopback.h"
#include "uiservices/wx/CWxUiServices.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// This thread's processor time in ms: what the page costs us, whatever the
// machine's load (the display server's share is not in it).
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The simulated synth on the loopback with its whole bank received.
class SimDevice {
public:
    explicit SimDevice(SimModel model) {
        auto pair = backend_.CreatePair("Sim:Port 1");
        synth_ = std::make_unique<SimSynthOnLoopback>(model, pair);
        config_ = std::make_unique<MDevConfig>(backend_);
        config_->SetPauses(0ms, 0ms);
        config_->CreateDevice();
        config_->OpenPorts();
        Settle();
        if (MDevDesc* device = Device()) {
            device->RequestAllData();
            Settle();
        }
    }
    ~SimDevice() { config_.reset(); }
    MDevDesc* Device() { return config_->GetDevice(0); }

private:
    void Settle() {
        for (int round = 0; round < 50; ++round) {
            synth_->Drain();
            if (config_->ProcessInput() == 0 && round > 0) return;
        }
    }
    midiport::LoopbackMidiBackend backend_;
    std::unique_ptr<SimSynthOnLoopback> synth_;
    std::unique_ptr<MDevConfig> config_;
};

// Runs an event loop, as the application's main loop does, until `page` has
// been drawn and then not again for 150 ms (several frames). Returns when
// the dispatch that drew it last had ended, counts the paints and takes the
// processor time until then.
Clock::time_point DrawnAt(wxWindow& page, int& paints, double& cpu) {
    paints = 0;
    cpu = CpuMs();
    const Clock::time_point start = Clock::now();
    Clock::time_point last = start;
    bool drawing = false;
    const auto painted = [&](wxPaintEvent& event) {
        ++paints;
        event.Skip();
        // After the dispatch that paints the page (its controls included).
        if (!drawing) {
            drawing = true;
            wxTheApp->CallAfter([&] {
                drawing = false;
                last = Clock::now();
                cpu = CpuMs();
            });
        }
    };
    page.Bind(wxEVT_PAINT, painted);
    wxGUIEventLoop loop;
    wxTimer check;
    check.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const Clock::time_point now = Clock::now();
        if ((paints > 0 && !drawing && now - last > 150ms) || now - start > 10s) loop.Exit();
    });
    check.Start(25);
    loop.Run();
    check.Stop();
    page.Unbind(wxEVT_PAINT, painted);
    return last;
}

wxFrame* Parent() {
    static wxFrame* frame = [] {
        auto* f = new wxFrame(nullptr, wxID_ANY, "bench", wxPoint(0, 0), wxSize(400, 300));
        f->Show();
        return f;
    }();
    return frame;
}

// The program's own user-interface services, over the bench's window.
CWxUiServices& Ui() {
    static CWxUiServices ui([] { return Parent(); });
    return ui;
}

// Chooses `tab` coming from another tab, `pageOf` telling which window is
// the page shown afterwards.
template <class PageOf>
void MeasureTabChange(benchmark::State& state, wxNotebook& tabs, int tab, PageOf pageOf) {
    const size_t other = tab == 0 ? 1 : 0;
    double build = 0, draw = 0, paints = 0, cpu = 0, first = -1, best = 1e9, leastCpu = 1e9;
    for (auto _ : state) {
        int drawn = 0;
        double cpuEnd = 0;
        tabs.SetSelection(other);
        DrawnAt(*pageOf(static_cast<int>(other)), drawn, cpuEnd);
        const double cpuStart = CpuMs();
        const Clock::time_point start = Clock::now();
        tabs.SetSelection(static_cast<size_t>(tab));
        const Clock::time_point built = Clock::now();
        const Clock::time_point drawnAt = DrawnAt(*pageOf(tab), drawn, cpuEnd);
        const double wall = Ms(drawnAt - start);
        state.SetIterationTime(wall / 1e3);
        build += Ms(built - start);
        draw += Ms(drawnAt - built);
        paints += drawn;
        cpu += cpuEnd - cpuStart;
        if (first < 0) first = wall;
        best = std::min(best, wall);
        leastCpu = std::min(leastCpu, cpuEnd - cpuStart);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["build"] = build / n;
    state.counters["draw"] = draw / n;
    state.counters["paints"] = paints / n;
    state.counters["cpu"] = cpu / n;
    state.counters["first"] = first;
    state.counters["best"] = best;
    state.counters["leastCpu"] = leastCpu;
}

// The simulated device with slot A.12 in the given voice mode; null (the
// benchmark skipped) when there is none.
MDevDesc* DeviceWithVoiceMode(SimDevice& sim, int voiceMode, benchmark::State& state) {
    MDevDesc* device = sim.Device();
    if (device == nullptr || device->GetProgram(1) == nullptr) {
        state.SkipWithError("no simulated device");
        return nullptr;
    }
    device->GetProgram(1)->SetParam(MDevProgramParamId::kVoiceMode, voiceMode, 0);
    return device;
}

// The Program Editor on slot A.12 with the given voice mode.
void ProgramEditorTab(benchmark::State& state, int voiceMode, int tab) {
    SimDevice sim(SimModel::Brontisel);
    MDevDesc* device = DeviceWithVoiceMode(sim, voiceMode, state);
    if (device == nullptr) return;
    auto editor = std::make_unique<CDialogEditPrg>(device, 1, std::filesystem::path(), Parent(), Ui());
    editor->Show();
    MeasureTabChange(state, *editor->Notebook(), tab, [&](int) { return editor->Page(); });
    editor->Finish();
    editor.reset();
}

// Slot A.12 opened in the given voice mode, until its first page is drawn.
// Counters: "build" the construction, "draw" the showing and drawing after
// it, "cpu" and "first" as above.
void ProgramEditorOpen(benchmark::State& state, int voiceMode) {
    SimDevice sim(SimModel::Brontisel);
    MDevDesc* device = DeviceWithVoiceMode(sim, voiceMode, state);
    if (device == nullptr) return;
    double build = 0, draw = 0, cpu = 0, first = -1;
    for (auto _ : state) {
        const double cpuStart = CpuMs();
        const Clock::time_point start = Clock::now();
        auto editor = std::make_unique<CDialogEditPrg>(device, 1, std::filesystem::path(), Parent(), Ui());
        const Clock::time_point built = Clock::now();
        editor->Show();
        int drawn = 0;
        double cpuEnd = 0;
        const Clock::time_point drawnAt = DrawnAt(*editor->Page(), drawn, cpuEnd);
        const double wall = Ms(drawnAt - start);
        state.SetIterationTime(wall / 1e3);
        build += Ms(built - start);
        draw += Ms(drawnAt - built);
        cpu += cpuEnd - cpuStart;
        if (first < 0) first = wall;
        editor->Finish();
        editor.reset();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["build"] = build / n;
    state.counters["draw"] = draw / n;
    state.counters["cpu"] = cpu / n;
    state.counters["first"] = first;
}

void GlobalEditorTab(benchmark::State& state, int tab) {
    SimDevice sim(SimModel::BrontiselS);
    MDevDesc* device = sim.Device();
    if (device == nullptr) {
        state.SkipWithError("no simulated device");
        return;
    }
    auto editor = std::make_unique<CDialogEditGlb>(*device, 0, std::filesystem::path(), Parent(), Ui());
    editor->Show();
    MeasureTabChange(state, *editor->Tabs(), tab, [&](int n) { return editor->Page(n); });
    editor.reset();
}

// Voice modes: 0 Single (Timbre 1, Effect, Arpeggio), 2 Layer (Timbre 1,
// Timbre 2, ...), 3 Vocoder (Vocoder, Effect, Arpeggio).
BENCHMARK_CAPTURE(ProgramEditorTab, Timbre1, 0, 0)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorTab, Timbre2, 2, 1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorTab, Effect, 0, 1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorTab, Arpeggio, 0, 2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorTab, Vocoder, 3, 0)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorOpen, Single, 0)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorOpen, Layer, 2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ProgramEditorOpen, Vocoder, 3)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(GlobalEditorTab, Global, 0)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(GlobalEditorTab, Midi, 1)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(GlobalEditorTab, ControlChangeMap, 2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(GlobalEditorTab, FavoriteProgram, 3)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) return 1;
    wxLog::SetActiveTarget(nullptr);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Parent()->Destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
