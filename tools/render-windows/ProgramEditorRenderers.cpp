// The Program Editor, one picture per tab of each voice mode.
#include <memory>

#include <wx/notebook.h>
#include <wx/weakref.h>

#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "device/MDevProgramParamId.h"
#include "editors/wx/CDialogEditPrg.h"
#include "tools/render-windows/WindowRenderers.h"

namespace {

// The editor unregisters from its device when it goes: it must go before
// the context's device does.
class EditorHolder {
public:
    explicit EditorHolder(CDialogEditPrg* editor) : editor_(editor) {}
    ~EditorHolder() { delete editor_.get(); }
    EditorHolder(const EditorHolder&) = delete;
    EditorHolder& operator=(const EditorHolder&) = delete;

private:
    wxWeakRef<CDialogEditPrg> editor_;
};

// Slot A.12 with the given stored voice mode, tab `tab` selected.
wxTopLevelWindow* ProgramEditor(RenderContext& ctx, int voiceMode, int tab) {
    MDevDesc* device = ctx.Device(SimModel::Brontisel);
    if (device == nullptr || device->GetProgram(1) == nullptr) return nullptr;
    device->GetProgram(1)->SetParam(MDevProgramParamId::kVoiceMode, voiceMode, 0);
    auto* editor = new CDialogEditPrg(device, 1, {}, ctx.MainWindow(), ctx.Ui());
    ctx.Keep(std::make_shared<EditorHolder>(editor));
    if (tab < static_cast<int>(editor->Notebook()->GetPageCount()))
        editor->Notebook()->SetSelection(static_cast<size_t>(tab));
    return editor;
}

}  // namespace

VELK_RENDERER("program-editor-single-timbre1", [](RenderContext& ctx) { return ProgramEditor(ctx, 0, 0); });
VELK_RENDERER("program-editor-single-effect", [](RenderContext& ctx) { return ProgramEditor(ctx, 0, 1); });
VELK_RENDERER("program-editor-single-arpeggio", [](RenderContext& ctx) { return ProgramEditor(ctx, 0, 2); });
VELK_RENDERER("program-editor-layer-timbre2", [](RenderContext& ctx) { return ProgramEditor(ctx, 2, 1); });
VELK_RENDERER("program-editor-vocoder", [](RenderContext& ctx) { return ProgramEditor(ctx, 3, 0); });
