#pragma once
// Opens the editors for the explorer's list: the Global Editor
// (CDialogEditGlb) and the Program Editor (CDialogEditPrg), modally over the
// list, with the document's device input and transfer guard, so a window
// close during an editor's write is refused like one during a transfer.

#include <filesystem>
#include <functional>
#include <memory>

#include "editors/wx/EditorEnvironment.h"
#include "librarian/VelkItemOpener.h"

class CVelkDoc;
class CVelkSession;
class wxWindow;

class CWxEditorOpener final : public VelkItemOpener {
public:
    // `parent` names the window the editors open over. `base` gives the
    // seams the editors use (empty: their own wx ones); its target and
    // guard are the document's.
    CWxEditorOpener(CVelkDoc& doc, std::function<wxWindow*()> parent, EditorEnvironment base = {});

    // The opener of a session: over its list, with the editors' own seams.
    static std::unique_ptr<VelkItemOpener> ForSession(CVelkSession& session,
                                                      EditorEnvironment base = {});

    void OpenGlobalEditor(MDevDesc& device, int index, const std::string& file) override;
    void OpenProgramEditor(MDevDesc& device, int index, const std::string& file) override;

private:
    using RunEditor = int (*)(MDevDesc&, int, const std::filesystem::path&, wxWindow*,
                              const EditorEnvironment&);
    void Open(RunEditor run, MDevDesc& device, int index, const std::string& file);

    CVelkDoc& doc_;
    std::function<wxWindow*()> parent_;
    EditorEnvironment base_;
};
