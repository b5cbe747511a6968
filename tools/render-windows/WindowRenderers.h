#pragma once
// The registry of windows that render-windows draws. One line per window:
//
//   VELK_RENDERER("midi-device", [](RenderContext& ctx) -> wxTopLevelWindow* { ... });
//
// The function builds the window (not yet shown) over ctx.MainWindow() and
// returns it; the tool shows it, lets it paint, and saves it as
// <name>.png. Dialogs parented to the main window are destroyed with it;
// objects that own a window (like a progress box) go into ctx.Keep().

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/toplevel.h>

#include "device/MDevConfig.h"
#include "librarian/CVelkPreference.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "simulator/SimSynth.h"
#include "tests/support/MemorySettingsStore.h"
#include "uiservices/wx/CWxUiServices.h"

class MDevDesc;
class SimSynthOnLoopback;

// What a renderer may build its window on: a shown main window, the
// program's user-interface services over it, loopback MIDI ports, a
// connected simulated synth, preferences in memory.
class RenderContext {
public:
    RenderContext();
    ~RenderContext();
    RenderContext(const RenderContext&) = delete;
    RenderContext& operator=(const RenderContext&) = delete;

    wxFrame* MainWindow() { return main_; }
    CWxUiServices& Ui() { return ui_; }
    // Two hardware port pairs ("Sim:Port 1", "USB:MIDI 2") around a
    // software one ("Soft:Synth").
    midiport::LoopbackMidiBackend& Backend() { return backend_; }
    CVelkPreference& Preference() { return preference_; }
    // The device of the simulated synth of `model` on "Sim:Port 1",
    // identified and with all data received; null when it did not answer.
    MDevDesc* Device(SimModel model);
    MDevConfig* Config() { return config_.get(); }

    void Keep(std::shared_ptr<void> object) { kept_.push_back(std::move(object)); }

private:
    // Before the configuration, which posts to it until it is gone.
    CWxUiServices ui_{[this] { return main_; }};
    midiport::LoopbackMidiBackend backend_;
    std::shared_ptr<midiport::LoopbackPeer> synthPair_;
    std::unique_ptr<SimSynthOnLoopback> synth_;
    std::unique_ptr<MDevConfig> config_;
    velktest::MemorySettingsStore settings_;
    CVelkPreference preference_;
    wxFrame* main_;
    std::vector<std::shared_ptr<void>> kept_;
};

using RenderFunction = std::function<wxTopLevelWindow*(RenderContext&)>;

struct WindowRenderer {
    std::string name;
    RenderFunction render;
};

// Every renderer registered, in registration order.
std::vector<WindowRenderer>& WindowRenderers();

struct RendererRegistration {
    RendererRegistration(const char* name, RenderFunction render) {
        WindowRenderers().push_back({name, std::move(render)});
    }
};

#define VELK_RENDERER_JOIN2(a, b) a##b
#define VELK_RENDERER_JOIN(a, b) VELK_RENDERER_JOIN2(a, b)
#define VELK_RENDERER(name, ...) \
    static const RendererRegistration VELK_RENDERER_JOIN(velkRenderer, __LINE__)(name, __VA_ARGS__)
