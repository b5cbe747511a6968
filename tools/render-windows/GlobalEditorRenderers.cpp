// The Global Editor, one picture per page.
#include <memory>

#include <wx/notebook.h>
#include <wx/weakref.h>

#include "editors/wx/CDialogEditGlb.h"
#include "tools/render-windows/WindowRenderers.h"

namespace {

// The editor unregisters from its device when it goes: it must go before
// the context's device does.
class EditorHolder {
public:
    explicit EditorHolder(CDialogEditGlb* editor) : editor_(editor) {}
    ~EditorHolder() { delete editor_.get(); }
    EditorHolder(const EditorHolder&) = delete;
    EditorHolder& operator=(const EditorHolder&) = delete;

private:
    wxWeakRef<CDialogEditGlb> editor_;
};

wxTopLevelWindow* GlobalEditor(RenderContext& ctx, SimModel model, int page) {
    MDevDesc* device = ctx.Device(model);
    if (device == nullptr) return nullptr;
    auto* editor = new CDialogEditGlb(*device, 0, {}, ctx.MainWindow(), ctx.Ui());
    ctx.Keep(std::make_shared<EditorHolder>(editor));
    if (page < static_cast<int>(editor->Tabs()->GetPageCount())) editor->Tabs()->SetSelection(page);
    return editor;
}

}  // namespace

VELK_RENDERER("global-editor-global",
              [](RenderContext& ctx) { return GlobalEditor(ctx, SimModel::BrontiselS, 0); });
VELK_RENDERER("global-editor-midi",
              [](RenderContext& ctx) { return GlobalEditor(ctx, SimModel::BrontiselS, 1); });
VELK_RENDERER("global-editor-control-change-map",
              [](RenderContext& ctx) { return GlobalEditor(ctx, SimModel::BrontiselS, 2); });
VELK_RENDERER("global-editor-favorite-program",
              [](RenderContext& ctx) { return GlobalEditor(ctx, SimModel::BrontiselS, 3); });
VELK_RENDERER("global-editor-brontisel",
              [](RenderContext& ctx) { return GlobalEditor(ctx, SimModel::Brontisel, 0); });
