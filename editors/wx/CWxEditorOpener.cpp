#include "editors/wx/CWxEditorOpener.h"

#include "editors/wx/CDialogEditGlb.h"
#include "editors/wx/CDialogEditPrg.h"
#include "librarian/wx/CMainFrame.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"

CWxEditorOpener::CWxEditorOpener(VelkUiServices& ui, std::function<wxWindow*()> parent)
    : ui_(ui), parent_(std::move(parent)) {}

std::unique_ptr<VelkItemOpener> CWxEditorOpener::ForSession(CVelkSession& session) {
    return std::make_unique<CWxEditorOpener>(session.GetUi(), [&session]() -> wxWindow* {
        CMainFrame* frame = session.GetMainWindow();
        return frame ? frame->GetListWindow() : nullptr;
    });
}

void CWxEditorOpener::OpenGlobalEditor(MDevDesc& device, int index, const std::string& file) {
    Open(&CDialogEditGlb::Run, device, index, file);
}

void CWxEditorOpener::OpenProgramEditor(MDevDesc& device, int index, const std::string& file) {
    Open(&CDialogEditPrg::Run, device, index, file);
}

void CWxEditorOpener::Open(RunEditor run, MDevDesc& device, int index, const std::string& file) {
    run(device, index, file, parent_ ? parent_() : nullptr, ui_);
}
