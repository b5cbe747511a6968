// The librarian's transfer dialogs.
#include <memory>

#include "device/MDevDesc.h"
#include "librarian/wx/CDialogDevice.h"
#include "tools/render-windows/WindowRenderers.h"
#include "uiservices/wx/CDialogAnimate.h"
#include "uiservices/wx/CDialogOverwrite.h"

VELK_RENDERER("progress-box", [](RenderContext& ctx) -> wxTopLevelWindow* {
    auto box = std::make_shared<CDialogAnimate>(ctx.MainWindow());
    ctx.Keep(box);
    box->Show("");
    return box->GetDialog();
});

VELK_RENDERER("write-confirmation-program", [](RenderContext& ctx) -> wxTopLevelWindow* {
    auto target = std::make_shared<int>(10);
    ctx.Keep(target);
    return new CDialogOverwrite("Overwrite the Device Program with \"Brass Pad.prg\" ?", target.get(),
                                ctx.Device(SimModel::BrontiselS), CDialogOverwriteModel::kProgram,
                                ctx.MainWindow());
});

VELK_RENDERER("write-confirmation-whole-device", [](RenderContext& ctx) -> wxTopLevelWindow* {
    return new CDialogOverwrite("Overwrite the Whole Device ?", nullptr, nullptr,
                                CDialogOverwriteModel::kProgram, ctx.MainWindow());
});

VELK_RENDERER("midi-device", [](RenderContext& ctx) -> wxTopLevelWindow* {
    auto ids = std::make_shared<std::pair<int, int>>(0, 2);
    ctx.Keep(ids);
    return new CDialogDevice(&ids->first, &ids->second, ctx.Backend(), ctx.Preference(), ctx.MainWindow(),
                             ctx.Ui());
});
