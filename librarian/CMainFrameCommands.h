#pragma once
// The commands the main frame handles itself, and the framework commands it
// stands in for: the MIDI port dialog, the list's sort and view-style
// commands with their marks, the help document, the toolbar and status-bar
// toggles, the pane switch (F6, Shift+F6) and Exit. The windows are reached
// through VelkFrameShell and the two panes, so the rules run without a
// display.

#include <functional>
#include <string>

#include "librarian/VelkCommandRouter.h"
#include "librarian/VelkPanes.h"

class VelkLauncher;
class VelkUiServices;

// The frame's windows as the commands see them.
class VelkFrameShell {
public:
    enum Bar : int { kToolBar = 0, kStatusBar = 1 };

    virtual ~VelkFrameShell() = default;
    // Runs the MIDI port dialog (over the frame); true on OK.
    virtual bool RunMidiDeviceDialog() = 0;
    virtual bool IsBarShown(Bar bar) const = 0;
    virtual void ShowBar(Bar bar, bool show) = 0;
    // Moves the focus to the other pane.
    virtual void SwitchPane(bool next) = 0;
    // Closes the main window (as a window-manager close would).
    virtual void Exit() = 0;
};

// Where the help document may lie: beside the program, then in the
// installed data folder.
struct VelkHelpPlaces {
    std::string programDir;
    std::string dataDir;
};

// The help document's path: the first place that holds it; the program's
// folder when none does.
std::string FindHelpDocument(const VelkHelpPlaces& places);

class CMainFrameCommands final : public VelkCommandTarget {
public:
    CMainFrameCommands(VelkFrameShell& shell, VelkLauncher& launcher, VelkUiServices& ui,
                       VelkHelpPlaces help);

    // Either may be null (a pane that is not there).
    void SetPanes(VelkTreePane* tree, VelkListPane* list) {
        tree_ = tree;
        list_ = list;
    }
    // The root kind of the folder the list shows (0 device, 1 setup, 2 library).
    void SetRootKind(std::function<int()> rootKind) { rootKind_ = std::move(rootKind); }

    bool UpdateCommand(int id, VelkCommandState& state) override;
    bool DoCommand(int id) override;

    void OnMidiDevices();
    void OnHelpDocument();

    // The sort column of a sort command, the style of a view-style command;
    // -1 for any other id.
    static int SortColumnOf(int id);
    static int ViewStyleOf(int id);

private:
    VelkFrameShell& shell_;
    VelkLauncher& launcher_;
    VelkUiServices& ui_;
    VelkHelpPlaces help_;
    VelkTreePane* tree_ = nullptr;
    VelkListPane* list_ = nullptr;
    std::function<int()> rootKind_;
};
