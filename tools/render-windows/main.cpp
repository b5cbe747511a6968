// render-windows OUTDIR [NAME...]: draws the registered windows (all, or the
// named ones) into OUTDIR/<name>.png. --list prints the names. Needs an X
// display; scripts/render-windows.sh provides a private one.
//
// There is no window manager under Xvfb, so the tool draws the title bar
// itself: the title, and an "x" when the window has a close box.
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "device/MDevDesc.h"
#include "platform/midi/LoopbackPeer.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tools/render-windows/ScreenGrab.h"
#include "tools/render-windows/WindowRenderers.h"

std::vector<WindowRenderer>& WindowRenderers() {
    static std::vector<WindowRenderer> renderers;
    return renderers;
}

RenderContext::RenderContext() : preference_(settings_, "/home/user/Documents") {
    synthPair_ = backend_.CreatePair("Sim:Port 1", true);
    backend_.CreatePair("Soft:Synth", false);
    backend_.CreatePair("USB:MIDI 2", true);
    main_ = new wxFrame(nullptr, wxID_ANY, "Brontisel SoundEditor", wxPoint(0, 0), wxSize(800, 600));
    main_->Show();
}

RenderContext::~RenderContext() {
    kept_.clear();
    main_->Destroy();
    config_.reset();
    synth_.reset();
}

MDevDesc* RenderContext::Device(SimModel model) {
    if (!config_) {
        synth_ = std::make_unique<SimSynthOnLoopback>(model, synthPair_);
        config_ = std::make_unique<MDevConfig>(backend_);
        config_->SetPauses(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
        // Input is routed through the event loop, as in the application.
        config_->RouteInputVia([this](std::function<void()> task) { ui_.Post(std::move(task)); });
        config_->CreateDevice();
        if (config_->OpenPorts() != 0) return nullptr;
    }
    // Runs every exchange in flight to its end.
    const auto settle = [this] {
        for (int round = 0; round < 10; ++round) {
            synth_->Drain();
            wxTheApp->ProcessPendingEvents();
        }
    };
    settle();
    MDevDesc* device = config_->GetDevice(0);
    if (device && !device->IsDumpReceived()) {
        device->RequestAllData();
        settle();
    }
    return device;
}

namespace {

constexpr int kTitleBar = 26;

void Pump(RenderContext& context, std::chrono::milliseconds span) { context.Ui().PumpFor(span); }

bool Save(wxTopLevelWindow& window, const std::filesystem::path& file) {
    const wxRect rect = window.GetScreenRect();
    const wxImage content = GrabScreen(rect);
    if (!content.IsOk()) return false;
    wxBitmap shot(rect.width, rect.height + kTitleBar, 24);
    {
        wxMemoryDC dc(shot);
        dc.SetBackground(wxBrush(wxColour(60, 60, 70)));
        dc.Clear();
        dc.SetTextForeground(*wxWHITE);
        dc.DrawText(window.GetTitle(), 8, 4);
        if (window.HasFlag(wxCLOSE_BOX)) dc.DrawText("x", rect.width - 16, 4);
        dc.DrawBitmap(wxBitmap(content), 0, kTitleBar);
    }
    return shot.SaveFile(file.string(), wxBITMAP_TYPE_PNG);
}

int Render(const WindowRenderer& renderer, const std::filesystem::path& folder) {
    RenderContext context;
    Pump(context, std::chrono::milliseconds(100));
    wxTopLevelWindow* window = renderer.render(context);
    if (!window) {
        std::fprintf(stderr, "%s: nothing to render\n", renderer.name.c_str());
        return 1;
    }
    window->Move(40, 40);
    window->Show();
    window->Raise();
    Pump(context, std::chrono::milliseconds(400));
    const std::filesystem::path file = folder / (renderer.name + ".png");
    if (!Save(*window, file)) {
        std::fprintf(stderr, "%s: cannot write %s\n", renderer.name.c_str(), file.c_str());
        return 1;
    }
    std::printf("%s\n", file.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> params(argv + 1, argv + argc);
    // --list anywhere lists the names and draws nothing.
    if (std::find(params.begin(), params.end(), "--list") != params.end()) {
        for (const WindowRenderer& r : WindowRenderers()) std::printf("%s\n", r.name.c_str());
        return 0;
    }
    if (params.empty() || params.front().starts_with('-')) {
        std::fprintf(stderr, "usage: %s OUTDIR [NAME...] | --list\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = params.front();
    const std::vector<std::string> wanted(params.begin() + 1, params.end());
    // A name that draws nothing is a mistake, never a silent success.
    for (const std::string& name : wanted) {
        const auto& all = WindowRenderers();
        if (std::none_of(all.begin(), all.end(), [&](const WindowRenderer& r) { return r.name == name; })) {
            std::fprintf(stderr, "%s: no window named \"%s\" (--list names them)\n", argv[0], name.c_str());
            return 2;
        }
    }
    std::filesystem::create_directories(folder);

    int one = 1;
    char* args[] = {argv[0], nullptr};
    wxApp::SetInstance(new wxApp());  // owned by wx
    if (!wxEntryStart(one, args) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "wx could not start (no display?)\n");
        return 1;
    }
    // No log boxes: nobody would close them.
    std::unique_ptr<wxLog> previousLog(wxLog::SetActiveTarget(new wxLogStderr()));
    wxInitAllImageHandlers();
    int failures = 0;
    for (const WindowRenderer& renderer : WindowRenderers()) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), renderer.name) == wanted.end())
            continue;
        failures += Render(renderer, folder);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return failures == 0 ? 0 : 1;
}
