// The explorer window with the simulated Brontisel S received: the tree on
// the device and the list showing its Global row and 256 programs, in each
// list style, with a program row selected.
#include <memory>

#include "device/MDevDesc.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"
#include "resources/VelkCommandIds.h"
#include "tools/render-windows/WindowRenderers.h"

namespace {

wxTopLevelWindow* ReceivedExplorer(RenderContext& ctx, int command) {
    VelkOptions options;
    options.simulate = true;
    options.wireRate = 0;
    auto session = std::make_shared<CVelkSession>(options, CWxSettingsStore::DefaultFilePath());
    ctx.Keep(session);
    session->GetDoc().GetDevConfig().SetPauses({}, {});
    CMainFrame* frame = session->CreateMainWindow({"/nonexistent", ""});
    frame->SetSize(1000, 640);
    session->StartUp();
    CLeftView* tree = frame->GetTreeWindow();
    CTreeNode* device = tree->Model().FindNodeByPath("/My Device/Brontisel S");
    if (device == nullptr) return frame;
    tree->SelectItem(tree->ItemOf(device));  // receives everything
    frame->RunCommand(command);
    CVelkView* list = frame->GetListWindow();
    MDevDesc* synth = session->GetDoc().GetDevConfig().GetDevice(0);
    const int row = synth ? list->Model().FindItem("Program:" + synth->FormatProgramNumber(3).value_or(""))
                          : -1;
    if (row >= 0) {
        list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        list->EnsureVisible(row);
    }
    return frame;
}

}  // namespace

VELK_RENDERER("explorer-received-large-icons",
              [](RenderContext& ctx) { return ReceivedExplorer(ctx, velk::ID_VIEW_LARGEICON); });
VELK_RENDERER("explorer-received-details",
              [](RenderContext& ctx) { return ReceivedExplorer(ctx, velk::ID_VIEW_DETAILS); });
VELK_RENDERER("explorer-received-small-icons",
              [](RenderContext& ctx) { return ReceivedExplorer(ctx, velk::ID_VIEW_SMALLICON); });
VELK_RENDERER("explorer-received-list",
              [](RenderContext& ctx) { return ReceivedExplorer(ctx, velk::ID_VIEW_LIST); });
