#include "librarian/wx/CVelkView.h"

#include <wx/settings.h>

#include <vector>

#include "librarian/CItemPath.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CIconRowsPainter.h"
#include "librarian/wx/VelkViewInput.h"
#include "resources/wx/VelkArt.h"

namespace {

constexpr long kStyleFlags[] = {wxLC_ICON, wxLC_REPORT, wxLC_SMALL_ICON, wxLC_LIST};

}  // namespace

CVelkView::CVelkView(wxWindow* parent, CVelkDoc& doc, CVelkPreference& preference, VelkLauncher* launcher)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_EDIT_LABELS | wxBORDER_SUNKEN),
      doc_(doc),
      model_(doc, preference),
      commands_(model_, doc, launcher),
      largeImages_(velk::CreateVelkListImageList(velk::kVelkLargeIconSize)),
      smallImages_(velk::CreateVelkListImageList(velk::kVelkSmallIconSize)) {
    SetImageList(largeImages_.get(), wxIMAGE_LIST_NORMAL);
    SetImageList(smallImages_.get(), wxIMAGE_LIST_SMALL);
    // Columns go in while the control is in the details style (wx asserts
    // otherwise); the first fill then applies the stored style.
    for (int column = 0; column < CVelkViewModel::kColumnCount; ++column)
        InsertColumn(column, wxString::FromUTF8(model_.ColumnTitle(column)), wxLIST_FORMAT_LEFT,
                     model_.ColumnWidth(column));
    model_.SetSink(this);

    Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) { model_.SortBy(event.GetColumn()); });
    Bind(wxEVT_LIST_COL_END_DRAG, [this](wxListEvent& event) {
        event.Skip();
        CallAfter([this] { StoreWidths(); });
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        model_.OnSize();
    });
    Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
        if (syncing_ == 0) model_.SetSelected(static_cast<int>(event.GetIndex()), true);
    });
    Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& event) {
        if (syncing_ == 0) model_.SetSelected(static_cast<int>(event.GetIndex()), false);
    });
    // The model keeps the item an edit began on: the control names it by
    // its row, which may hold another item by the time the edit ends.
    Bind(wxEVT_LIST_BEGIN_LABEL_EDIT, [this](wxListEvent& event) {
        if (!model_.BeginLabelEdit(static_cast<int>(event.GetIndex()))) event.Veto();
    });
    Bind(wxEVT_LIST_END_LABEL_EDIT, [this](wxListEvent& event) {
        // The old text stays; a rename that succeeds sets the new one.
        event.Veto();
        model_.EndLabelEdit(event.GetLabel().utf8_string(), event.IsEditCancelled());
    });
    BindInput();
    BindCommands();
}

CVelkView::~CVelkView() {
    model_.SetSink(nullptr);
    SetImageList(nullptr, wxIMAGE_LIST_NORMAL);
    SetImageList(nullptr, wxIMAGE_LIST_SMALL);
}

wxColour CVelkView::CutTextColour() { return wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT); }

wxColour CVelkView::DropHighlightColour() { return wxColour(0xCC, 0xE4, 0xF7); }

void CVelkView::InsertRow(int row) {
    const CListRow& r = model_.Rows()[row];
    InsertItem(row, wxString::FromUTF8(r.texts[0]), r.cut ? velk::VelkListGhost(r.image) : r.image);
    if (r.cut || r.dropHighlight) ShowMarks(row);
    if (r.selected) SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

void CVelkView::ShowMarks(int row) {
    const CListRow& r = model_.Rows()[row];
    // wx keeps an item colour once set: unmarked rows get the list's own.
    SetItemTextColour(row, r.cut ? CutTextColour() : GetTextColour());
    SetItemBackgroundColour(row, r.dropHighlight ? DropHighlightColour() : GetBackgroundColour());
}

void CVelkView::ShowSelection(int row) {
    const bool selected = model_.Rows()[row].selected;
    if ((GetItemState(row, wxLIST_STATE_SELECTED) != 0) != selected)
        SetItemState(row, selected ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
}

bool CVelkView::UpdateItem(int row) {
    const CListRow& r = model_.Rows()[row];
    const wxString text = wxString::FromUTF8(r.texts[0]);
    const int image = r.cut ? velk::VelkListGhost(r.image) : r.image;
    wxListItem shown;
    shown.SetId(row);
    shown.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_IMAGE);
    GetItem(shown);
    const bool relabelled = shown.GetText() != text;
    if (relabelled || shown.GetImage() != image) {
        wxListItem item;
        item.SetId(row);
        item.SetColumn(0);
        item.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_IMAGE);
        item.SetText(text);
        item.SetImage(image);
        SetItem(item);
    }
    // Colours only where a row is marked or an item was (an unmarked row
    // gets none).
    if (r.cut || r.dropHighlight || GetItemTextColour(row).IsOk() || GetItemBackgroundColour(row).IsOk())
        ShowMarks(row);
    ShowSelection(row);
    return relabelled;
}

void CVelkView::RelayOut() {
    // wx measures and places its items again after an insert, a delete or
    // a new image list, not after a label set in place (it keeps the old
    // label's width): the image list set again asks for it.
    SetImageList(largeImages_.get(), wxIMAGE_LIST_NORMAL);
    if (layout_) layout_->SetPending();
}

void CVelkView::ShowRow(int row) {
    if (IsVirtual()) {
        RefreshItem(row);
        ShowSelection(row);
    } else if (UpdateItem(row)) {
        RelayOut();
    }
}

void CVelkView::Populate() {
    velkview::SyncScope sync(syncing_);
    const bool sameFolder = doc_.GetCurrentPath() == shownFolder_;
    const int rows = model_.RowCount();
    Freeze();
    if (!sameFolder || rows == 0) DeleteAllItems();
    if (IsVirtual()) {
        // Its texts come from the model as it draws.
        if (GetItemCount() != rows) SetItemCount(rows);
        for (int row = 0; row < rows; ++row) ShowSelection(row);
        Refresh();
    } else {
        if (GetItemCount() > rows) {
            // Most of the items go: all at once.
            if (GetItemCount() - rows > rows) DeleteAllItems();
            while (GetItemCount() > rows) DeleteItem(GetItemCount() - 1);
        }
        const int kept = GetItemCount();
        bool relabelled = false;
        for (int row = 0; row < kept; ++row) relabelled = UpdateItem(row) || relabelled;
        for (int row = kept; row < rows; ++row) InsertRow(row);
        if (relabelled) RelayOut();
    }
    // The focus stays with its item, wherever the item went.
    if (sameFolder && !focusedLeaf_.empty()) {
        const int row = model_.FindItem(focusedLeaf_);
        if (row >= 0 && row < GetItemCount() && GetItemState(row, wxLIST_STATE_FOCUSED) == 0)
            SetItemState(row, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    }
    focusedLeaf_.clear();
    shownFolder_ = doc_.GetCurrentPath();
    Thaw();
}

void CVelkView::FinishLabelEdit() {
    // The control ends its edit by the row it began on: it must end while
    // that row still stands there (ending it later, on focus loss, reached
    // for a row that was gone). The typed name is kept.
    if (finishingEdit_ || GetEditControl() == nullptr) return;
    velkview::SyncScope finishing(finishingEdit_);
    EndEditLabel(false);
}

void CVelkView::OnRowsChanging() {
    FinishLabelEdit();
    // The control's selection and focus are read back before the rows move.
    SyncSelection();
    RememberFocus();
}

void CVelkView::RememberFocus() {
    const long focused = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    focusedLeaf_.clear();
    if (focused >= 0 && GetItemCount() == model_.RowCount())
        focusedLeaf_ = itempath::GetLeafName(model_.GetItemPath(static_cast<int>(focused)));
}

void CVelkView::SyncSelection() {
    if (syncing_ != 0 || GetItemCount() != model_.RowCount()) return;
    std::vector<bool> selected(static_cast<std::size_t>(model_.RowCount()), false);
    for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        selected[static_cast<std::size_t>(row)] = true;
    for (int row = 0; row < model_.RowCount(); ++row)
        model_.SetSelected(row, selected[static_cast<std::size_t>(row)]);
}

void CVelkView::OnRowsReset() {
    FinishLabelEdit();
    Populate();
}

void CVelkView::OnRowsInserted(int first, int count) {
    FinishLabelEdit();
    if (IsVirtual()) {
        Populate();
        return;
    }
    velkview::SyncScope sync(syncing_);
    // The control moves its focus along with the rows.
    focusedLeaf_.clear();
    Freeze();
    for (int row = first; row < first + count; ++row) InsertRow(row);
    Thaw();
}

void CVelkView::OnRowDeleted(int row) {
    FinishLabelEdit();
    if (IsVirtual()) {
        Populate();
        return;
    }
    velkview::SyncScope sync(syncing_);
    focusedLeaf_.clear();
    DeleteItem(row);
}

void CVelkView::OnRowChanged(int row) {
    velkview::SyncScope sync(syncing_);
    ShowRow(row);
}

wxString CVelkView::OnGetItemText(long item, long column) const {
    if (item < 0 || item >= model_.RowCount() || column < 0 || column >= CVelkViewModel::kColumnCount)
        return {};
    return wxString::FromUTF8(model_.Rows()[item].texts[column]);
}

int CVelkView::OnGetItemImage(long item) const {
    if (item < 0 || item >= model_.RowCount()) return -1;
    const CListRow& r = model_.Rows()[item];
    return r.cut ? velk::VelkListGhost(r.image) : r.image;
}

wxItemAttr* CVelkView::OnGetItemAttr(long item) const {
    if (item < 0 || item >= model_.RowCount()) return nullptr;
    const CListRow& r = model_.Rows()[item];
    if (!r.cut && !r.dropHighlight) return nullptr;
    markAttr_ = wxItemAttr(r.cut ? CutTextColour() : wxNullColour,
                           r.dropHighlight ? DropHighlightColour() : wxNullColour, wxNullFont);
    return &markAttr_;
}

void CVelkView::ApplyColumns() {
    if (!InReportView()) return;
    for (int column = 0; column < CVelkViewModel::kColumnCount; ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        item.SetText(wxString::FromUTF8(model_.ColumnTitle(column)));
        SetColumn(column, item);
        SetColumnWidth(column, model_.ColumnWidth(column));
    }
}

void CVelkView::StoreWidths() {
    if (!InReportView()) return;
    for (int column = 0; column < CVelkViewModel::kColumnCount; ++column)
        model_.SetColumnWidth(column, GetColumnWidth(column));
}

void CVelkView::OnColumnsChanged() { ApplyColumns(); }

void CVelkView::OnStyleChanged(int style) {
    const long flag = kStyleFlags[style >= 0 && style < 4 ? style : 0];
    // The details style runs virtual: its texts come from the model when
    // drawn, so 10,000 rows cost nothing to show or sort. The other styles
    // hold their items (wx lays icons out only for real items).
    const bool details = flag == wxLC_REPORT;
    if (HasFlag(flag) && IsVirtual() == details) return;
    FinishLabelEdit();
    StoreWidths();
    RememberFocus();
    {
        velkview::SyncScope sync(syncing_);
        Freeze();
        DeleteAllItems();
        long flags = GetWindowStyleFlag() & ~(wxLC_MASK_TYPE | wxLC_VIRTUAL);
        SetWindowStyleFlag(flags | flag | (details ? wxLC_VIRTUAL : 0));
        ApplyColumns();
        Thaw();
    }
    Populate();
}

void CVelkView::OnStartLabelEdit(int row) {
    // Once the command that asked for it is done: a popup menu that is
    // still closing takes the focus back to where it was (the tree, say),
    // which would end the edit at once. The row is found again by its
    // item, in the folder still shown.
    const std::string folder = doc_.GetCurrentPath();
    const std::string leaf = itempath::GetLeafName(model_.GetItemPath(row));
    CallAfter([this, folder, leaf] {
        if (doc_.GetCurrentPath() != folder) return;
        const int found = model_.FindItem(leaf);
        if (found < 0 || found >= GetItemCount()) return;
        SetFocus();
        EditLabel(found);
    });
}
