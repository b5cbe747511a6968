#pragma once
// The modal "Global Editor": edits the device's global settings or a global
// file's through the working global, with the pages "Global", "MIDI",
// "Control Change Map" and, on the second model, "Favorite Program". Pages
// only store into the working global; "Write to Device" and "Save to File"
// carry the changes out, "Close" asks about unsaved ones (editors/
// CDialogEditGlbModel.h holds the flows).
//
// The pages live as long as the editor: each lies in the viewport of its
// own page scroller inside its tab's window, and a tab change only hides
// one and shows another. Neither Escape nor Enter
// ends the editor; a window-manager close runs the close questions and is
// refused when the user keeps the editor open. The editor hears the
// device's change notices only between its creation and its destruction.
// The user-interface services ask the user and run the write's wait.

#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include <wx/dialog.h>

#include "controls/wx/CDialogScroller.h"
#include "editors/CDialogEditGlbModel.h"
#include "editors/CEditorNoticeTarget.h"

class CProgramPage;
class MDevDesc;
class VelkUiServices;
class wxButton;
class wxNotebook;
class wxBookCtrlEvent;

class CDialogEditGlb final : public wxDialog {
public:
    static constexpr int kIdSaveToFile = 1130;
    static constexpr int kIdWriteToDevice = 3;
    static constexpr int kIdClose = 1159;
    static constexpr int kIdTab = 1009;
    static constexpr int kPageCount = 4;

    // Opens the editor for the device's global (index >= 0) or a global file
    // (index -1 and a path) and runs it modally; the editor's result. A file
    // that cannot be read is reported and not opened (wxID_CANCEL).
    static int Run(MDevDesc& device, int index, const std::filesystem::path& path, wxWindow* parent,
                   VelkUiServices& ui);

    // Lays the editor out (not shown). With no global object the editor has
    // its buttons and an empty tab control, and only Close acts.
    CDialogEditGlb(MDevDesc& device, int index, const std::filesystem::path& path, wxWindow* parent,
                   VelkUiServices& ui);
    // The editor asks through the model's services.
    CDialogEditGlb(CDialogEditGlbModel model, wxWindow* parent);
    ~CDialogEditGlb() override;

    const CDialogEditGlbModel& Model() const { return model_; }
    wxNotebook* Tabs() const { return tabs_; }
    // Page n (0 Global .. 3 Favorite Program); null when it was not created.
    CProgramPage* Page(int n) const;
    int CurrentPage() const { return current_; }
    wxButton* SaveButton() const { return save_; }
    wxButton* WriteButton() const { return write_; }
    wxButton* CloseButton() const { return close_; }
    // The shown page's scroller; null when no page is shown.
    const quendar::CDialogScroller* ShownScroller() const;
    wxSize NaturalSize() const { return natural_; }

    // The result the editor ended with; 0 while it runs.
    int EndCode() const { return endCode_; }

    // The buttons' actions (also reached by clicking them).
    void OnSaveToFile();
    void OnWriteToDevice();
    void OnClose();

private:
    void Init();
    void AddTabs();
    void CreatePages();
    void ShowPage(int n);
    void RecalcLayout();
    void LayOutPage();
    wxSize PageArea() const;
    void PlaceWindow();
    void Act(EditorEnd end);
    void EndEditor(int code);
    void OnDevDescUpdatedProgram();
    void OnSelChangeTab(wxBookCtrlEvent& event);
    void OnCloseWindow(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);

    CDialogEditGlbModel model_;
    VelkUiServices& ui_;
    wxButton* save_ = nullptr;
    wxButton* write_ = nullptr;
    wxButton* close_ = nullptr;
    wxNotebook* tabs_ = nullptr;
    std::array<std::unique_ptr<quendar::CDialogScroller>, kPageCount> scrollers_;
    std::array<CProgramPage*, kPageCount> pages_{};
    int current_ = 0;
    bool laidOut_ = false;
    wxSize natural_;
    int endCode_ = 0;
    CEditorRegistration registration_;
};
