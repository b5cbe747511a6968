// The application's windows: the About box and the explorer window on the
// simulated Brontisel S, in each list style, after start-up and with the
// device received (its list shown, a program row selected).
#include <cstdlib>
#include <memory>

#include "device/MDevDesc.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CDialogAbout.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"
#include "resources/VelkCommandIds.h"
#include "tools/render-windows/WindowRenderers.h"

namespace {

// Shows the device's list (which receives everything) with a program row
// selected.
void ShowReceivedDevice(CVelkSession& session, CMainFrame& frame) {
    CLeftView* tree = frame.GetTreeWindow();
    CTreeNode* node = tree->Model().FindNodeByPath("/My Device/Brontisel S");
    MDevDesc* device = session.GetDoc().GetDevConfig().GetDevice(0);
    if (node == nullptr || device == nullptr) return;
    tree->SelectItem(tree->ItemOf(node));
    CVelkView* list = frame.GetListWindow();
    const std::string number = device->FormatProgramNumber(3).value_or("");
    const int row = list->Model().FindItem("Program:" + number);
    if (row < 0) return;
    list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    list->EnsureVisible(row);
}

// The explorer after start-up, with the list in the style of `command`.
wxTopLevelWindow* Explorer(RenderContext& ctx, int command, bool received = false) {
    VelkOptions options;
    options.simulate = true;
    options.wireRate = 0;
    auto session = std::make_shared<CVelkSession>(options, CWxSettingsStore::DefaultFilePath());
    ctx.Keep(session);
    session->GetDoc().GetDevConfig().SetPauses({}, {});
    CMainFrame* frame = session->CreateMainWindow({"/nonexistent", ""});
    session->StartUp();
    if (received) {
        frame->SetSize(1000, 640);
        ShowReceivedDevice(*session, *frame);
    }
    frame->RunCommand(command);
    return frame;
}

}  // namespace

VELK_RENDERER("about",
              [](RenderContext& ctx) -> wxTopLevelWindow* { return new CDialogAbout(ctx.MainWindow()); });

VELK_RENDERER("explorer-large-icons",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_LARGEICON); });
VELK_RENDERER("explorer-details", [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_DETAILS); });
VELK_RENDERER("explorer-small-icons",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_SMALLICON); });
VELK_RENDERER("explorer-list", [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_LIST); });

VELK_RENDERER("explorer-received-large-icons",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_LARGEICON, true); });
VELK_RENDERER("explorer-received-details",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_DETAILS, true); });
VELK_RENDERER("explorer-received-small-icons",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_SMALLICON, true); });
VELK_RENDERER("explorer-received-list",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_LIST, true); });
