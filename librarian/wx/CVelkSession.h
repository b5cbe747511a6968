#pragma once
// One run of the explorer: the settings, the MIDI ports (the ALSA sequencer,
// or the simulated synth on in-process ports), the user-interface services
// (message boxes, progress box, write confirmation, timers, event loop) that
// the document, the views and the editors share, the clipboard, the document
// and the main window. The application makes one; tests make their own.

#include <memory>
#include <string>

#include <wx/weakref.h>

#include "librarian/CVelkPreference.h"
#include "librarian/VelkCommandLine.h"
#include "librarian/VelkCommandRouter.h"
#include "librarian/VelkItemOpener.h"
#include "librarian/wx/CMainFrame.h"
#include "librarian/wx/CWxClipboard.h"
#include "librarian/wx/CWxLauncher.h"
#include "librarian/wx/CWxSettingsStore.h"
#include "uiservices/wx/CWxUiServices.h"

class CVelkDoc;
class SimSynthOnLoopback;
class wxWindow;
namespace midiport {
class LoopbackPeer;
class MidiBackend;
}  // namespace midiport

// The application's own commands on the main window's route (About).
class CVelkAppCommands final : public VelkCommandTarget {
public:
    explicit CVelkAppCommands(std::function<wxWindow*()> parent) : parent_(std::move(parent)) {}
    bool UpdateCommand(int id, VelkCommandState& state) override;
    bool DoCommand(int id) override;

private:
    std::function<wxWindow*()> parent_;
};

class CVelkSession {
public:
    // The name of the simulated synth's port pair.
    static constexpr const char* kSimulatedPortName = "Simulated Synth:MIDI 1";

    // `settingsPath`: the profile file (CWxSettingsStore::DefaultFilePath()
    // for the user's own).
    CVelkSession(const VelkOptions& options, const std::string& settingsPath);
    ~CVelkSession();
    CVelkSession(const CVelkSession&) = delete;
    CVelkSession& operator=(const CVelkSession&) = delete;

    // Builds the main window (not shown yet); `help` says where the help
    // document may lie.
    CMainFrame* CreateMainWindow(const VelkHelpPlaces& help);
    // The editors that the list opens (the editors' wx layer makes them);
    // without one, opening a device item or a file opens nothing.
    void SetItemOpener(std::unique_ptr<VelkItemOpener> opener);

    // The panes' initial updates, which detect the device; runs once the
    // event loop runs, with the window shown.
    void StartUp();

    // The window a second start brings to the front: the active modal
    // dialog, else the progress box, else the main window.
    wxWindow* GetFrontWindow() const;
    void BringToFront();

    CMainFrame* GetMainWindow() const { return frame_.get(); }
    CVelkDoc& GetDoc() { return *doc_; }
    // What the document, the views and the editors ask the user through.
    CWxUiServices& GetUi() { return ui_; }
    CVelkPreference& GetPreference() { return preference_; }
    midiport::MidiBackend& GetBackend() { return *backend_; }
    // Null unless the synth is simulated.
    SimSynthOnLoopback* GetSimulator() { return simulator_.get(); }

private:
    wxWindow* MainWindow() const { return frame_.get(); }

    CWxSettingsStore store_;
    CVelkPreference preference_;
    std::unique_ptr<midiport::MidiBackend> backend_;
    std::unique_ptr<SimSynthOnLoopback> simulator_;
    // Its boxes over the main window, or, for a run that only takes a
    // picture (nobody there to answer them), its messages on standard error.
    CWxUiServices ui_;
    CWxClipboard clipboard_;
    CWxLauncher launcher_;
    CVelkAppCommands appCommands_;
    std::unique_ptr<CVelkDoc> doc_;
    std::unique_ptr<VelkItemOpener> opener_;
    wxWeakRef<CMainFrame> frame_;
};
