// The list's user interaction on the window: the commands and their update
// handlers, the context menus, clicks and key releases on the rows, Enter
// and Escape, double clicks, the drag source and the drop target. The rules
// are CVelkViewCommands'; this file turns wx events into its calls.
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "librarian/wx/CIconRowsPainter.h"
#include "librarian/wx/CVelkView.h"
#include "librarian/wx/CWxClipboard.h"
#include "librarian/wx/CWxDropPaste.h"
#include "librarian/wx/VelkViewInput.h"
#include "resources/VelkCommandIds.h"
#include "resources/VelkMenus.h"
#include "resources/wx/VelkMenuBuilder.h"

namespace {

using namespace velk;
using velkview::BindCommand;

// wx's generic list draws its rows in an inner window (and, in the details
// style, its header in another): mouse and keys go to the rows window.
wxWindow* FindRowsWindow(wxWindow& list) {
    for (wxWindow* child : list.GetChildren())
        if (child->GetClassInfo()->GetClassName() == wxString("wxListMainWindow")) return child;
    for (wxWindow* child : list.GetChildren())
        if (child->GetClassInfo()->GetClassName() != wxString("wxListHeaderWindow")) return child;
    return &list;
}

}  // namespace

void CVelkView::BindInput() {
    rowsWindow_ = FindRowsWindow(*this);
    layout_ = CIconRowsPainter::Install(*this, *rowsWindow_);
    // The generic list hands the drop target to its rows window: the drop's
    // points are in that window.
    SetDropTarget(new velkview::CViewDropTarget(
        {[this](const wxPoint& point, bool ctrlDown, const velkview::OfferedDrag& drag) {
             return DragOverAt(point, ctrlDown, drag);
         },
         [this] { DragLeave(); },
         [this](const wxPoint& point, wxDragResult effect, const velkview::OfferedDrag& drag) {
             return DropAt(point, effect, drag);
         }}));

    // The control handles the press first (it moves the selection), then
    // the program is selected.
    rowsWindow_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        event.Skip();
        CallAfter([this] { OnClickOrKeyUp(); });
    });
    // A right click on the empty space clears the selection, as a left one
    // does: its menu is the one for no selected row (wx's list keeps the
    // selection there).
    rowsWindow_->Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& event) {
        event.Skip();
        if (RowAt(event.GetPosition()) >= 0) return;
        velkview::SyncScope sync(syncing_);
        for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
             row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
            SetItemState(row, 0, wxLIST_STATE_SELECTED);
        for (int row = 0; row < model_.RowCount(); ++row) model_.SetSelected(row, false);
    });
    rowsWindow_->Bind(wxEVT_KEY_UP, [this](wxKeyEvent& event) {
        event.Skip();
        OnClickOrKeyUp();
    });
    rowsWindow_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        OnKeyDown(event.GetKeyCode());
        event.Skip();
    });
    // The second press of a double click. The editor opens once the
    // control is done with the click (a modal loop must not run inside it).
    rowsWindow_->Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) {
        event.Skip();
        CallAfter([this] {
            SyncSelection();
            commands_.OpenItem();
        });
    });
    // wx's list asks a second time for a right click after a fill.
    Bind(wxEVT_CONTEXT_MENU,
         [this](wxContextMenuEvent&) { menuOnce_.Request(*this, [this] { OnContextMenu(); }); });
    Bind(wxEVT_LIST_BEGIN_DRAG,
         [this](wxListEvent& event) { OnBeginDrag(static_cast<int>(event.GetIndex())); });
}

void CVelkView::BindCommands() {
    // The control's selection is read back before each update and command.
    const velkview::Action sync = [this] { SyncSelection(); };
    const auto command = [this, sync](int id, velkview::Enabled enabled, velkview::Action run) {
        BindCommand(*this, id, std::move(enabled), std::move(run), sync);
    };
    command(
        ID_FILE_OPEN_ITEM, [this] { return commands_.CanOpen(); }, [this] { commands_.OpenItem(); });
    command(
        ID_FILE_EXPLORER, [this] { return commands_.CanExplore(); }, [this] { commands_.Explore(); });
    command(
        ID_FILE_DELETE, [this] { return commands_.CanDeleteSelection(); },
        [this] { commands_.DeleteSelection(); });
    command(
        ID_FILE_RENAME, [this] { return commands_.RenameRow() >= 0; },
        [this] {
            if (const int row = commands_.RenameRow(); row >= 0) EditLabel(row);
        });
    command(
        ID_FILE_NEW_FOLDER, [this] { return commands_.CanNewFolder(); }, [this] { commands_.NewFolder(); });
    // While a label is edited, the edit commands work on the edit's text.
    velkview::BindEditCommands(
        *this, [this] { return GetEditControl(); },
        {[this](bool cut) { return commands_.CanCopySelection(cut); },
         [this](bool cut) { commands_.CopySelection(cut); }, [this] { return commands_.CanPaste(); },
         [this] { commands_.Paste(); }},
        sync);
    command(
        ID_EDIT_SELECT_ALL,
        [this] {
            if (wxTextCtrl* edit = GetEditControl()) return !edit->IsEmpty();
            return commands_.CanSelectAll();
        },
        [this] {
            // GTK puts the caret at the selection's end, in view (moving
            // it by hand would drop the selection).
            if (wxTextCtrl* edit = GetEditControl()) {
                edit->SelectAll();
                return;
            }
            commands_.SelectAll();
            for (int row = 0; row < GetItemCount(); ++row)
                SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        });
}

void CVelkView::OnClickOrKeyUp() {
    SyncSelection();
    commands_.SelectDeviceProgram();
}

void CVelkView::OnKeyDown(int keyCode) {
    SyncSelection();
    if (keyCode == WXK_RETURN || keyCode == WXK_NUMPAD_ENTER) {
        if (commands_.FirstSelected() >= 0) commands_.OpenItem();
    } else if (keyCode == WXK_ESCAPE) {
        // The document empties the clipboard, which clears both views' marks.
        commands_.ClearCutMarks();
    }
}

void CVelkView::OnContextMenu() {
    SyncSelection();
    std::unique_ptr<wxMenu> menu = BuildVelkMenu(
        commands_.FirstSelected() >= 0 ? VelkListContextMenu() : VelkListNoSelectionContextMenu());
    PopupMenu(menu.get());
}

void CVelkView::OnBeginDrag(int row) {
    SyncSelection();
    commands_.BeginDrag(row);
}

int CVelkView::RowAt(const wxPoint& point) const {
    int flags = 0;
    const long row = HitTest(point, flags);
    if (row < 0 || !(flags & wxLIST_HITTEST_ONITEM)) return -1;
    return static_cast<int>(row);
}

wxDragResult CVelkView::DragOverAt(const wxPoint& point, bool ctrlDown, const velkview::OfferedDrag& drag) {
    return velkview::ToDragResult(commands_.DragOver(RowAt(point), drag.payload, ctrlDown, drag.Allowed()));
}

bool CVelkView::DropAt(const wxPoint& point, wxDragResult effect, const velkview::OfferedDrag& drag) {
    const VelkPayload* payload = drag.payload;
    const std::optional<CListDropPaste> drop =
        commands_.Drop(RowAt(point), payload, velkview::ToEffect(effect));
    if (!drop) return false;
    // Questions and waiting loops must not run inside GTK's drag handlers:
    // the paste runs once the drag has returned.
    const CListPasteTarget& target = drop->target;
    PasteDropLater(doc_, *payload, target.path, drop->forceMove, target.deviceIndex, target.rootKind,
                   target.level);
    return true;
}
