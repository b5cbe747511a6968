#pragma once
// Opens the editors for the explorer's list: the Global Editor
// (CDialogEditGlb) and the Program Editor (CDialogEditPrg), modally over the
// list, with the user-interface services the document uses: an editor's
// write waits on the device's own input and holds the same transfer guard,
// so a window close during it is refused like one during a transfer.

#include <filesystem>
#include <functional>
#include <memory>

#include "librarian/VelkItemOpener.h"

class CVelkSession;
class VelkUiServices;
class wxWindow;

class CWxEditorOpener final : public VelkItemOpener {
public:
    // `parent` names the window the editors open over.
    CWxEditorOpener(VelkUiServices& ui, std::function<wxWindow*()> parent);

    // The opener of a session: over its list, with its services.
    static std::unique_ptr<VelkItemOpener> ForSession(CVelkSession& session);

    void OpenGlobalEditor(MDevDesc& device, int index, const std::string& file) override;
    void OpenProgramEditor(MDevDesc& device, int index, const std::string& file) override;

private:
    using RunEditor = int (*)(MDevDesc&, int, const std::filesystem::path&, wxWindow*, VelkUiServices&);
    void Open(RunEditor run, MDevDesc& device, int index, const std::string& file);

    VelkUiServices& ui_;
    std::function<wxWindow*()> parent_;
};
