#include "librarian/wx/CVelkSession.h"

#include <cstdio>

#include <wx/dialog.h>
#include <wx/toplevel.h>

#include "librarian/CVelkDoc.h"
#include "librarian/wx/CDialogAbout.h"
#include "uiservices/wx/CDialogAnimate.h"
#include "librarian/wx/CVelkView.h"
#include "uiservices/wx/WxPostToUi.h"
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

void CStderrPrompter::ShowMessage(const std::string& text, const std::string&, VelkIcon) {
    std::fprintf(stderr, "velk-editor: %s\n", text.c_str());
}

VelkAnswer CStderrPrompter::AskYesNo(const std::string& text, const std::string&, VelkIcon) {
    std::fprintf(stderr, "velk-editor: %s (answered No)\n", text.c_str());
    return VelkAnswer::kNo;
}

VelkAnswer CStderrPrompter::AskYesNoCancel(const std::string& text, const std::string&,
                                           VelkIcon) {
    std::fprintf(stderr, "velk-editor: %s (answered Cancel)\n", text.c_str());
    return VelkAnswer::kCancel;
}

CMainWindowProgress::CMainWindowProgress(std::function<wxWindow*()> parent)
    : parent_(std::move(parent)) {}

CMainWindowProgress::~CMainWindowProgress() = default;

void CMainWindowProgress::Show(const std::string& caption) {
    if (!box_) box_ = std::make_unique<CDialogAnimate>(parent_());
    box_->Show(caption);
}

void CMainWindowProgress::Close() {
    if (box_) box_->Close();
    box_.reset();
}

wxWindow* CMainWindowProgress::GetShown() const { return box_ ? box_->GetDialog() : nullptr; }

CVelkSession::CVelkSession(const VelkOptions& options, const std::string& settingsPath)
    : store_(settingsPath),
      preference_(store_, VelkDocumentsDir()),
      progress_([this] { return MainWindow(); }),
      overwrite_([this] { return MainWindow(); }),
      clipboard_([this] { return frame_ ? frame_->GetActiveView() : nullptr; }),
      appCommands_([this] { return MainWindow(); }) {
    if (options.screenshot.empty())
        prompter_ = std::make_unique<CWxPrompter>([this] { return MainWindow(); });
    else
        prompter_ = std::make_unique<CStderrPrompter>();
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
    doc_ = std::make_unique<CVelkDoc>(CVelkDocSeams{*backend_, *prompter_, clock_, pump_, progress_,
                                                    overwrite_, clipboard_, preference_, WxPostToUi});
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
        CMainFrame::Services{*doc_, *backend_, preference_, launcher_, *prompter_, help, &appCommands_});
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
    // The innermost modal dialog is the last one opened.
    wxWindow* modal = nullptr;
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog != nullptr && dialog->IsModal() && dialog->IsShown()) modal = dialog;
    }
    if (modal != nullptr) return modal;
    if (wxWindow* box = progress_.GetShown()) return box;
    return frame_.get();
}

void CVelkSession::BringToFront() {
    wxWindow* window = GetFrontWindow();
    if (window == nullptr) return;
    if (auto* frame = wxDynamicCast(frame_.get(), wxTopLevelWindow); frame && frame->IsIconized())
        frame->Iconize(false);
    window->Raise();
}
