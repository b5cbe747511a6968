#pragma once
// The explorer window: menu bar, toolbar, four-pane status bar and a
// splitter with the tree (200 px) on the left and the list on the right.
// Its title is always "Brontisel SoundEditor", never a document name.
//
// Commands from the menus, the toolbar and the accelerators go to the active
// view (the last of tree and list that had the focus), then to the frame's
// own commands, the document (which handles none) and the application; a
// command nobody handles is shown disabled. A close while a transfer waits
// below on the stack is refused and carried out once the transfer is over.

#include <memory>
#include <set>

#include <wx/frame.h>

#include "librarian/CMainFrameCommands.h"
#include "librarian/VelkCommandRouter.h"
#include "librarian/wx/CExplorerPanes.h"

class CLeftView;
class CVelkCloseGuard;
class CVelkView;
class CVelkDoc;
class CVelkPreference;
class VelkLauncher;
class VelkUiServices;
class wxSplitterWindow;
namespace midiport {
class MidiBackend;
}

class CMainFrame final : public wxFrame, private VelkFrameShell {
public:
    static constexpr int kTreeWidth = 200;

    struct Services {
        CVelkDoc& doc;
        midiport::MidiBackend& backend;
        CVelkPreference& preference;
        VelkLauncher& launcher;
        VelkUiServices& ui;
        VelkHelpPlaces help;
        // The application's commands (About); may be null.
        VelkCommandTarget* application = nullptr;
    };

    explicit CMainFrame(const Services& services);
    ~CMainFrame() override;

    // The panes' initial updates (tree first: the device detection).
    void InitialUpdate();

    // The first show lays the window out at its own size at once.
    bool Show(bool show = true) override;

    wxSplitterWindow* GetSplitter() const { return splitter_; }
    CLeftView* GetTreeWindow() const;
    CVelkView* GetListWindow() const;
    // The pane that gets the file and edit commands.
    wxWindow* GetActiveView() const { return active_; }
    void SetActiveView(wxWindow* pane);

    // True while a close asked for during a transfer waits for its end.
    bool IsClosePending() const;

    // What the route gives a command (the application's command id).
    VelkCommandState UpdateCommand(int id);
    bool RunCommand(int id);

private:
    bool TryBefore(wxEvent& event) override;
    // Offers the command to the view it is for; true when that view took it.
    bool RouteToActiveView(wxEvent& event);
    // Whether command `id` coming from `origin` is enabled, by the rules
    // that update the menus.
    bool IsEnabledFor(int id, wxObject* origin);
    void OnChildFocus(wxChildFocusEvent& event);
    void OnIdle(wxIdleEvent& event);
    void UpdateIndicators();

    // VelkFrameShell
    bool RunMidiDeviceDialog() override;
    bool IsBarShown(Bar bar) const override;
    void ShowBar(Bar bar, bool show) override;
    void SwitchPane(bool next) override;
    void Exit() override;

    CVelkDoc& doc_;
    midiport::MidiBackend& backend_;
    CVelkPreference& preference_;
    VelkUiServices& ui_;
    VelkCommandTarget* application_;
    CMainFrameCommands commands_;
    CVelkCommandRouter router_;
    std::set<int> commandIds_;  // every command of the menus, tools and keys
    wxSplitterWindow* splitter_ = nullptr;
    std::unique_ptr<CExplorerPanes> panes_;
    wxWindow* active_ = nullptr;
    std::unique_ptr<CVelkCloseGuard> closeGuard_;
};
