#pragma once
// The explorer's right pane: a wxListCtrl that mirrors CVelkViewModel in
// one of four styles (large icons, details, small icons, list). The rows
// are the model's, in the model's order: the control's own sort is not
// stable and its search ignores case, so neither is used. The details style
// is a virtual list that reads the model as it draws. Cut rows show
// grey text and a greyed image; the drop highlight is a background colour.

#include <wx/listctrl.h>

#include <memory>

#include "librarian/CVelkViewModel.h"

class wxImageList;

class CVelkView final : public wxListCtrl, private CVelkViewSink {
public:
    CVelkView(wxWindow* parent, CVelkDoc& doc, CVelkPreference& preference);
    ~CVelkView() override;

    CVelkViewModel& Model() { return model_; }
    // The columns' first titles and widths, then the first fill.
    void InitialUpdate() { model_.InitialUpdate(); }

    // The colours of marked rows.
    static wxColour CutTextColour();
    static wxColour DropHighlightColour();

private:
    // CVelkViewSink
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

    // Every row anew from the model.
    void Populate();
    void InsertRow(int row);
    void ShowRow(int row);
    void ShowMarks(int row);
    void ApplyColumns();
    // The user's widths of the details style back into the model.
    void StoreWidths();

    CVelkViewModel model_;
    std::unique_ptr<wxImageList> largeImages_;
    std::unique_ptr<wxImageList> smallImages_;
    mutable wxItemAttr markAttr_;
    int syncing_ = 0;
};
