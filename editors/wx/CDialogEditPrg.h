#pragma once
// The "Program Editor": a modal dialog that edits one program (a copy of a
// device slot or a program file) in the device's edit buffer. The top row
// holds the name, the voice mode and the buttons "Save to File", "Write to
// Device" and "Close"; below it a notebook with a tab window for each page
// kind of the voice mode, each with its own page scroller whose viewport
// holds that kind's page. The pages of a voice mode's tabs are built when
// the editor opens, or when a voice mode change first brings their tabs,
// and kept until the editor ends: a tab change only shows the tab's page,
// with what the program holds by then. The logic is CDialogEditPrgModel;
// this class shows it.
//
// Escape and Enter do nothing; a window-manager close asks the Close
// questions (and is refused while a write waits for the synthesizer). Each
// change a page stores restarts a 500 ms timer; when it runs out the edit
// buffer goes to the synthesizer. The user-interface services ask, time and
// wait for it.

#include <array>
#include <filesystem>
#include <memory>

#include <wx/dialog.h>

#include "editors/CDialogEditPrgModel.h"
#include "editors/wx/ProgramPageFactory.h"

class MDevDesc;
class VelkUiServices;
class wxBookCtrlEvent;
class wxButton;
class wxChoice;
class wxNotebook;
class wxPanel;
class wxTextCtrl;
namespace quendar {
class CDialogScroller;
}

class CDialogEditPrg final : public wxDialog, private ProgramEditorView {
public:
    // Opens the editor on a device slot (number >= 0) or a program file and
    // runs it modally; the editor's result.
    static int Run(MDevDesc& device, int number, const std::filesystem::path& path, wxWindow* parent,
                   VelkUiServices& ui);

    // number >= 0 edits that device slot; else `path` names a program file.
    // Everything is set up here; ShowModal runs it.
    CDialogEditPrg(MDevDesc* device, int number, const std::filesystem::path& path, wxWindow* parent,
                   VelkUiServices& ui);
    ~CDialogEditPrg() override;

    // Without a program (a file that could not be read, a slot outside the
    // model) nothing opens: the error is shown and the result is wxID_CANCEL.
    // Else wxID_OK after a successful save or device write, wxID_CANCEL
    // after Close. When it returns the editor hears nothing more.
    int ShowModal() override;

    CDialogEditPrgModel& Model() { return *model_; }
    wxNotebook* Notebook() const { return notebook_; }
    wxTextCtrl* NameEdit() const { return name_; }
    wxChoice* VoiceModeList() const { return voiceMode_; }
    wxButton* Button(int id) const;
    // The shown page; null when none.
    wxWindow* Page() const;
    // The page of a kind; null while it is not built.
    wxWindow* PageOf(PrgPageKind kind) const;
    quendar::CDialogScroller* ShownScroller() const;
    wxSize NaturalSize() const { return natural_; }
    // Unregisters and drops the page, as the end of ShowModal does.
    void Finish();

private:
    // A page kind's tab window, its scroller and its page.
    struct PageHost {
        wxPanel* tab = nullptr;  // owned by the notebook
        std::unique_ptr<quendar::CDialogScroller> scroller;
        wxWindow* page = nullptr;  // owned by the scroller's viewport
        std::unique_ptr<ArpeggioDisplay> arpeggio;
    };
    static constexpr std::size_t kPageKinds = static_cast<std::size_t>(PrgPageKind::None);

    void CreateControls();
    void InitEditor(wxWindow* parent);
    void MeasureNaturalSize();
    void PlaceInitially(wxWindow* parent);
    // The narrowest window that shows the top row without overlaps.
    int RowWidth() const;
    void RecalcLayout();
    void LayOutPage();
    // The display area of the notebook's tabs.
    wxSize PageArea() const;
    // The kind's tab window and scroller, made on first use.
    PageHost& HostOf(PrgPageKind kind);
    const PageHost* ShownHost() const;
    void BuildPage(PrgPageKind kind);
    void NoteShownPage();

    void OnSize(wxSizeEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);
    void OnNameText(wxCommandEvent& event);
    void OnVoiceMode(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);

    // ProgramEditorView
    void EnableSaveToFile(bool enabled) override;
    void SetTabs(std::span<const PrgTab> tabs, int selected) override;
    void ShowPage(int index, PrgPageKind kind) override;
    void DestroyPages() override;
    ArpeggioDisplay* ShownArpeggioPage() override;
    void EndEditor(EditorEnd end) override;

    VelkUiServices& ui_;

    wxTextCtrl* name_ = nullptr;
    wxChoice* voiceMode_ = nullptr;
    wxNotebook* notebook_ = nullptr;
    // By PrgPageKind.
    std::array<PageHost, kPageKinds> hosts_;
    PrgPageKind shownKind_ = PrgPageKind::None;
    // Taking the tabs out raises a tab change that is none of the user's.
    bool rebuildingTabs_ = false;
    bool laidOut_ = false;
    wxSize natural_;

    std::unique_ptr<CDialogEditPrgModel> model_;
};
