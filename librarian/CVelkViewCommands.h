#pragma once
// What the user does with the explorer's list: the commands on its selected
// rows and when they are enabled, opening a row (an editor, or the tree's
// child for a folder or device row), the program selection sent to the
// synth when a program row is clicked, Escape, and the list's side of the
// clipboard and of drag-and-drop. The document decides and does the work;
// this class asks it with the list's place and rows. The commands act on the
// selection (the first selected row is the one with the lowest position),
// never on the row under the mouse; drag and drop aim at the row under the
// point. Rows lie one level below the folder shown, hence level + 1.

#include <optional>
#include <string>
#include <vector>

#include "librarian/VelkClipboard.h"

class CFNameList;
class CLeftViewModel;
class CVelkDoc;
class CVelkViewModel;
class VelkItemOpener;
class VelkLauncher;

// Where a paste or a drop goes.
struct CListPasteTarget {
    std::string path;
    int deviceIndex = -1;
    int rootKind = 0;
    int level = 0;
};

// A drop accepted on the list: the paste that runs once the drag has
// returned.
struct CListDropPaste {
    CListPasteTarget target;
    bool forceMove = false;
};

class CVelkViewCommands {
public:
    // `launcher` opens folders for Explorer; null opens none.
    CVelkViewCommands(CVelkViewModel& list, CVelkDoc& doc, VelkLauncher* launcher);

    // The tree whose child a folder or device row opens; may be null.
    void SetTree(CLeftViewModel* tree) { tree_ = tree; }
    // The editors; null opens none.
    void SetOpener(VelkItemOpener* opener) { opener_ = opener; }

    // The selection, in position order.
    std::vector<int> SelectedRows() const;
    int FirstSelected() const;

    // Commands (enabled when / action).
    bool CanOpen() const;
    void OpenItem();
    bool CanExplore() const;
    void Explore();
    bool CanDeleteSelection() const;
    void DeleteSelection();
    // The row whose label editing Rename starts; -1 when Rename is disabled.
    int RenameRow() const;
    bool CanNewFolder() const;
    void NewFolder();
    bool CanCopySelection(bool cut) const;
    void CopySelection(bool cut);
    bool CanPaste() const;
    void Paste();
    bool CanSelectAll() const;
    void SelectAll();

    // After a click or a key release: a program row first in the selection
    // of a device's list sends its program selection to the synth.
    void SelectDeviceProgram();
    // Escape: true when rows were marked cut (the marks and the clipboard's
    // items are then gone).
    bool ClearCutMarks();

    // The paste target aimed at `row` (-1: none, the folder shown).
    CListPasteTarget PasteTarget(int row) const;
    // The effects a drag of the selection allows; kDropNone when it cannot
    // start.
    int DragEffects() const;
    // A drag started on `row` (-1: none under the point).
    void BeginDrag(int row);
    // Drop target; `payload` is the drag's (null: not ours), which allows
    // `allowedEffects` (VelkDropEffect bits).
    int DragOver(int row, const VelkPayload* payload, bool ctrlDown,
                 int allowedEffects = kDropCopy | kDropMove);
    void DragLeave();
    std::optional<CListDropPaste> Drop(int row, const VelkPayload* payload, int effect);

private:
    void CollectSelectedPaths(CFNameList& names) const;
    bool OneRowSelected() const;

    CVelkViewModel& list_;
    CVelkDoc& doc_;
    VelkLauncher* launcher_;
    CLeftViewModel* tree_ = nullptr;
    VelkItemOpener* opener_ = nullptr;
};
