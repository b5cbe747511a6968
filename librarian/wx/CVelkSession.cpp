#include "librarian/wx/CVelkSession.h"

#include <wx/toplevel.h>

#include "librarian/CVelkDoc.h"
#include "librarian/wx/CDialogAbout.h"
#include "librarian/wx/CVelkView.h"
#include "platform/midi/AlsaMidiBackend.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "resources/VelkCommandIds.h"
#include "simulator/SimSynthOnLoopback.h"

bool CVelkAppCommands::UpdateCommand(int id, VelkCommandState& state) {
    if (id != velk::ID_APP_ABOUT) return false;
    state.enabled = true;
    return true;
}

bool CVelkAppCommands::DoCommand(int id) {
    if (id != velk::ID_APP_ABOUT) return false;
    CDialogAbout about(parent_());
    about.ShowModal();
    return true;
}

CVelkSession::CVelkSession(const VelkOptions& options, const std::string& settingsPath)
    : store_(settingsPath),
      preference_(store_, VelkDocumentsDir()),
      ui_([this] { return MainWindow(); },
          options.screenshot.empty() ? CWxUiServices::Boxes::kShown : CWxUiServices::Boxes::kOnStandardError),
      clipboard_([this] { return frame_ ? frame_->GetActiveView() : nullptr; }),
      appCommands_([this] { return MainWindow(); }) {
    if (options.simulate) {
        // The simulated synth's ports count as hardware ports, so the port
        // choice, detection and every transfer run as with a real synth.
        auto loopback = std::make_unique<midiport::LoopbackMidiBackend>();
        auto peer = loopback->CreatePair(kSimulatedPortName, /*hardware=*/true);
        peer->SetThrottle(options.wireRate);
        simulator_ = std::make_unique<SimSynthOnLoopback>(options.model, peer);
        backend_ = std::move(loopback);
    } else {
        backend_ = std::make_unique<midiport::AlsaMidiBackend>();
    }
    doc_ = std::make_unique<CVelkDoc>(*backend_, ui_, clipboard_, preference_);
    // Another owner took the clipboard: our cut marks are void.
    clipboard_.SetOnChanged([this] {
        if (frame_) doc_->RefreshCutMarks();
    });
}

CVelkSession::~CVelkSession() {
    // The window goes first: its panes use the document.
    if (frame_) delete frame_.get();
    clipboard_.SetOnChanged(nullptr);
    doc_.reset();
    simulator_.reset();
}

CMainFrame* CVelkSession::CreateMainWindow(const VelkHelpPlaces& help) {
    frame_ = new CMainFrame(
        CMainFrame::Services{*doc_, *backend_, preference_, launcher_, ui_, help, &appCommands_});
    frame_->GetListWindow()->Commands().SetOpener(opener_.get());
    return frame_.get();
}

void CVelkSession::SetItemOpener(std::unique_ptr<VelkItemOpener> opener) {
    if (frame_) frame_->GetListWindow()->Commands().SetOpener(opener.get());
    opener_ = std::move(opener);
}

void CVelkSession::StartUp() {
    if (frame_) frame_->InitialUpdate();
}

wxWindow* CVelkSession::GetFrontWindow() const {
    if (wxWindow* modal = CWxUiServices::InnermostModal()) return modal;
    if (wxWindow* box = ui_.GetProgressBox()) return box;
    return frame_.get();
}

void CVelkSession::BringToFront() {
    wxWindow* window = GetFrontWindow();
    if (window == nullptr) return;
    if (auto* frame = wxDynamicCast(frame_.get(), wxTopLevelWindow); frame && frame->IsIconized())
        frame->Iconize(false);
    window->Raise();
}
