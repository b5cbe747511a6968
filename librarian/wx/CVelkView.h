#pragma once
// The explorer's right pane: a wxListCtrl that mirrors CVelkViewModel in
// one of four styles (large icons, details, small icons, list). The rows
// are the model's, in the model's order: the control's own sort is not
// stable and its search ignores case, so neither is used. The details style
// is a virtual list that reads the model as it draws. Cut rows show
// grey text and a greyed image; the drop highlight is a background colour.

#include <wx/dnd.h>
#include <wx/listctrl.h>

#include <memory>
#include <string>

#include "librarian/CVelkViewCommands.h"
#include "librarian/CVelkViewModel.h"
#include "librarian/wx/VelkViewInput.h"

class CListLayoutState;
class VelkLauncher;
class wxImageList;

class CVelkView final : public wxListCtrl, private CVelkViewSink {
public:
    // `launcher` opens folders for the Explorer command (null: none).
    CVelkView(wxWindow* parent, CVelkDoc& doc, CVelkPreference& preference, VelkLauncher* launcher = nullptr);
    ~CVelkView() override;

    CVelkViewModel& Model() { return model_; }
    CVelkViewCommands& Commands() { return commands_; }
    // The columns' first titles and widths, then the first fill.
    void InitialUpdate() { model_.InitialUpdate(); }

    // The inner window that gets the rows' mouse and key events (wx's
    // generic list draws its rows in a child window).
    wxWindow* GetRowsWindow() const { return rowsWindow_; }
    // Reads the control's selection into the model (a virtual list reports
    // no event per row of a range selection).
    void SyncSelection();

    // What the user does, as the control's events report it. A left-button
    // press or a key release once the control has handled it:
    void OnClickOrKeyUp();
    // Enter and Escape, before the control's own handling of the key.
    void OnKeyDown(int keyCode);
    // Pops the context menu up; it runs until the user closes it.
    void OnContextMenu();
    void OnBeginDrag(int row);
    // The drop target's side, for the drag it is offered; points are in the
    // rows window.
    wxDragResult DragOverAt(const wxPoint& point, bool ctrlDown, const velkview::OfferedDrag& drag);
    void DragLeave() { commands_.DragLeave(); }
    bool DropAt(const wxPoint& point, wxDragResult effect, const velkview::OfferedDrag& drag);
    // The row under a point of the rows window; -1 for none.
    int RowAt(const wxPoint& point) const;

    // The colours of marked rows.
    static wxColour CutTextColour();
    static wxColour DropHighlightColour();

private:
    // CVelkViewSink
    void OnRowsChanging() override;
    void OnRowsReset() override;
    void OnRowsInserted(int first, int count) override;
    void OnRowDeleted(int row) override;
    void OnRowChanged(int row) override;
    void OnColumnsChanged() override;
    void OnStyleChanged(int style) override;
    void OnStartLabelEdit(int row) override;

    // wxListCtrl, in the details style (virtual).
    wxString OnGetItemText(long item, long column) const override;
    int OnGetItemImage(long item) const override;
    wxItemAttr* OnGetItemAttr(long item) const override;

    void BindInput();
    void BindCommands();
    // Ends an open label edit, keeping the typed name: before the control's
    // rows change under it.
    void FinishLabelEdit();

    // The control's items from the model's rows. In the folder shown before,
    // the items that stand take the rows at their places: a sort or a
    // refill deletes and inserts no item, and the scroll position and the
    // focused item stay. Another folder's rows go in anew, from the top.
    void Populate();
    void InsertRow(int row);
    void ShowRow(int row);
    // An item of the icon styles made to show its row; true when its label
    // changed.
    bool UpdateItem(int row);
    void ShowMarks(int row);
    void ShowSelection(int row);
    // Notes the focused item, which the next Populate focuses again.
    void RememberFocus();
    // Has the control lay its items out again at its next idle time.
    void RelayOut();
    void ApplyColumns();
    // The user's widths of the details style back into the model.
    void StoreWidths();

    CVelkDoc& doc_;
    CVelkViewModel model_;
    CVelkViewCommands commands_;
    wxWindow* rowsWindow_ = nullptr;
    std::shared_ptr<CListLayoutState> layout_;
    std::unique_ptr<wxImageList> largeImages_;
    std::unique_ptr<wxImageList> smallImages_;
    mutable wxItemAttr markAttr_;
    int syncing_ = 0;
    int finishingEdit_ = 0;
    // The folder whose rows the control holds, and the item focused when
    // the rows last began to change (its leaf name).
    std::string shownFolder_;
    std::string focusedLeaf_;
    velkview::CMenuOnce menuOnce_;
};
