#include "editors/wx/CWxEditorOpener.h"

#include "editors/wx/CDialogEditGlb.h"
#include "editors/wx/CDialogEditPrg.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CMainFrame.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"

CWxEditorOpener::CWxEditorOpener(CVelkDoc& doc, std::function<wxWindow*()> parent,
                                 EditorEnvironment base)
    : doc_(doc), parent_(std::move(parent)), base_(std::move(base)) {}

std::unique_ptr<VelkItemOpener> CWxEditorOpener::ForSession(CVelkSession& session,
                                                            EditorEnvironment base) {
    return std::make_unique<CWxEditorOpener>(
        session.GetDoc(),
        [&session]() -> wxWindow* {
            CMainFrame* frame = session.GetMainWindow();
            return frame ? frame->GetListWindow() : nullptr;
        },
        std::move(base));
}

void CWxEditorOpener::OpenGlobalEditor(MDevDesc& device, int index, const std::string& file) {
    Open(&CDialogEditGlb::Run, device, index, file);
}

void CWxEditorOpener::OpenProgramEditor(MDevDesc& device, int index, const std::string& file) {
    Open(&CDialogEditPrg::Run, device, index, file);
}

void CWxEditorOpener::Open(RunEditor run, MDevDesc& device, int index, const std::string& file) {
    CDeviceWaitTarget target(doc_.GetDevConfig(), &device);
    EditorEnvironment environment = base_;
    environment.target = &target;
    environment.guard = &doc_.GetTransferGuard();
    run(device, index, file, parent_ ? parent_() : nullptr, environment);
}
