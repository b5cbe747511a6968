#pragma once
// The "Program Editor": a modal dialog that edits one program (a copy of a
// device slot or a program file) in the device's edit buffer. The top row
// holds the name, the voice mode and the buttons "Save to File", "Write to
// Device" and "Close"; below it a notebook whose tabs are empty hosts, each
// with its own page scroller: only the selected tab holds a page, created
// in that tab's viewport when the tab is selected and destroyed when
// another is. The logic is CDialogEditPrgModel; this class shows it.
//
// Escape and Enter do nothing; a window-manager close asks the Close
// questions (and is refused while a write waits for the synthesizer). Each
// change a page stores restarts a 500 ms timer; when it runs out the edit
// buffer goes to the synthesizer.

#include <filesystem>
#include <memory>
#include <vector>

#include <wx/dialog.h>
#include <wx/timer.h>

#include "editors/CDialogEditPrgModel.h"
#include "editors/wx/EditorEnvironment.h"
#include "editors/wx/ProgramPageFactory.h"

class MDevDesc;
struct CEditorDefaults;
class wxBookCtrlEvent;
class wxButton;
class wxChoice;
class wxNotebook;
class wxTextCtrl;
namespace quendar {
class CDialogScroller;
}

// What tests put in beside the environment.
struct CDialogEditPrgOverrides {
    // Null: the environment's confirmation, else CDialogOverwrite (the user
    // may pick another slot in it).
    EditorWriteConfirm* confirm = nullptr;
    ProgramPageFactory pages = {};  // empty: CreateProgramPage
};

class CDialogEditPrg final : public wxDialog, private ProgramEditorView {
public:
    using Overrides = CDialogEditPrgOverrides;

    // Opens the editor on a device slot (number >= 0) or a program file and
    // runs it modally; the editor's result.
    static int Run(MDevDesc& device, int number, const std::filesystem::path& path,
                   wxWindow* parent, const EditorEnvironment& environment);

    // number >= 0 edits that device slot; else `path` names a program file.
    // Everything is set up here; ShowModal runs it.
    CDialogEditPrg(MDevDesc* device, int number, const std::filesystem::path& path,
                   wxWindow* parent, const EditorEnvironment& environment,
                   Overrides overrides = {});
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
    // The live page; null when none.
    wxWindow* Page() const { return page_; }
    quendar::CDialogScroller* ShownScroller() const;
    wxTimer& CommitTimer() { return commitTimer_; }
    wxSize NaturalSize() const { return natural_; }
    // What a timer event would do.
    void RunCommitTimer();
    // Unregisters and drops the page, as the end of ShowModal does.
    void Finish();

private:
    class CommitTimerSeam;
    class OverwriteConfirm;

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

    void OnSize(wxSizeEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);
    void OnNameText(wxCommandEvent& event);
    void OnVoiceMode(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnTimer(wxTimerEvent& event);

    // ProgramEditorView
    void EnableSaveToFile(bool enabled) override;
    void SetTabs(std::span<const PrgTab> tabs, int selected) override;
    void ShowPage(int index, PrgPageKind kind) override;
    void DestroyPage() override;
    ArpeggioDisplay* ShownArpeggioPage() override;
    void EndEditor(EditorEnd end) override;

    // The seams the environment leaves empty.
    std::unique_ptr<CEditorDefaults> defaults_;
    VelkPrompter& prompter_;
    CVelkTransferGuard& guard_;
    ProgramPageFactory pages_;
    wxTimer commitTimer_;
    std::unique_ptr<CommitTimerSeam> timerSeam_;
    std::unique_ptr<EditorWriteConfirm> ownConfirm_;

    wxTextCtrl* name_ = nullptr;
    wxChoice* voiceMode_ = nullptr;
    wxNotebook* notebook_ = nullptr;
    // One scroller per tab; the page lives in the selected one's viewport.
    std::vector<std::unique_ptr<quendar::CDialogScroller>> scrollers_;
    int pageTab_ = -1;
    wxWindow* page_ = nullptr;
    std::unique_ptr<ArpeggioDisplay> arpeggio_;
    // DeleteAllPages raises a tab change that is none of the user's.
    bool rebuildingTabs_ = false;
    bool laidOut_ = false;
    wxSize natural_;

    std::unique_ptr<CDialogEditPrgModel> model_;
};
