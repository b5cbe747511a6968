// The application's windows: the About box and the explorer window on the
// simulated Brontisel S, in each list style.
#include <cstdlib>
#include <memory>

#include "librarian/CVelkDoc.h"
#include "librarian/wx/CDialogAbout.h"
#include "librarian/wx/CVelkSession.h"
#include "resources/VelkCommandIds.h"
#include "tools/render-windows/WindowRenderers.h"

namespace {

// The explorer after start-up, with the list in the style of `command`.
wxTopLevelWindow* Explorer(RenderContext& ctx, int command) {
    VelkOptions options;
    options.simulate = true;
    options.wireRate = 0;
    auto session = std::make_shared<CVelkSession>(options, CWxSettingsStore::DefaultFilePath());
    ctx.Keep(session);
    session->GetDoc().GetDevConfig().SetPauses({}, {});
    CMainFrame* frame = session->CreateMainWindow({"/nonexistent", ""});
    session->StartUp();
    frame->RunCommand(command);
    return frame;
}

}  // namespace

VELK_RENDERER("about", [](RenderContext& ctx) -> wxTopLevelWindow* {
    return new CDialogAbout(ctx.MainWindow());
});

VELK_RENDERER("explorer-large-icons",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_LARGEICON); });
VELK_RENDERER("explorer-details",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_DETAILS); });
VELK_RENDERER("explorer-small-icons",
              [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_SMALLICON); });
VELK_RENDERER("explorer-list", [](RenderContext& ctx) { return Explorer(ctx, velk::ID_VIEW_LIST); });
