#pragma once
// Draws the rows of wx's generic list in the icon, small icon and list
// styles, as the control itself draws them, but only the items the update
// region touches. The control's own paint draws every item on every paint
// (each label shaped by Pango, seen or not): 10,000 items cost a tenth of a
// second for any repaint. The details style is left to the control, which
// already draws only what is seen.
//
// The control lays its items out (positions and sizes) and keeps the
// selection, focus and colours; this class only reads them back. Where
// the control keeps no public answer (the label and icon rectangles inside
// an item), they are worked out by the control's own layout rules.

#include <wx/gdicmn.h>

#include <memory>

class wxDC;
class wxImageList;
class wxListCtrl;
class wxRegion;
class wxWindow;

// Whether the control has yet to lay its items out again. It does that when
// idle; until then every item rectangle asked for costs a whole layout (each
// label measured), so a paint that came first would stall: for minutes with
// 10,000 items. GTK paints before wx's idle time, as after a menu closes.
class CListLayoutState {
public:
    bool IsPending() const { return pending_; }
    // For changes the control raises no event for (a label set in place).
    void SetPending() { pending_ = true; }
    void SetDone() { pending_ = false; }

private:
    bool pending_ = true;
};

class CIconRowsPainter {
public:
    // `rows` is the window the control draws its rows in.
    CIconRowsPainter(wxListCtrl& list, wxWindow& rows) : list_(list), rows_(rows) {}

    // Makes `rows` draw through this class outside the details style. Its
    // items' inserts and deletes mark a layout pending; the rows window's
    // idle time, where the control lays them out, ends it. A paint while it
    // is pending draws nothing: the control paints everything anew once laid
    // out.
    static std::shared_ptr<CListLayoutState> Install(wxListCtrl& list, wxWindow& rows);

    // Draws the items `update` (in `rows`' client coordinates) touches.
    void Paint(wxDC& dc, const wxRegion& update) const;

    // Where the control draws an item's parts, in client coordinates.
    struct ItemGeometry {
        wxRect all;
        wxRect icon;  // empty without an image
        wxRect label;
        wxRect highlight;
    };
    ItemGeometry Geometry(wxDC& dc, long item) const;

private:
    void PaintItem(wxDC& dc, long item, const ItemGeometry& geometry, bool current, bool hasFocus) const;
    // The image list of the style, and an item's image in it (-1: none).
    wxImageList* Images() const;
    int Image(long item) const;

    wxListCtrl& list_;
    wxWindow& rows_;
};
