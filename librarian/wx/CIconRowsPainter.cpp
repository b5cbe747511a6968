#include "librarian/wx/CIconRowsPainter.h"

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/region.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace {

// The control's layout constants: extra room around a label's text.
constexpr int kExtraWidth = 6;
constexpr int kExtraHeight = 6;

}  // namespace

std::shared_ptr<CListLayoutState> CIconRowsPainter::Install(wxListCtrl& list, wxWindow& rows) {
    auto layout = std::make_shared<CListLayoutState>();
    const auto pending = [layout](wxListEvent& event) {
        layout->SetPending();
        event.Skip();
    };
    for (const auto type : {wxEVT_LIST_INSERT_ITEM, wxEVT_LIST_DELETE_ITEM, wxEVT_LIST_DELETE_ALL_ITEMS})
        list.Bind(type, pending);
    // A window's idle event follows its internal idle work, the layout.
    rows.SetExtraStyle(rows.GetExtraStyle() | wxWS_EX_PROCESS_IDLE);
    rows.Bind(wxEVT_IDLE, [layout](wxIdleEvent& event) {
        layout->SetDone();
        event.Skip();
    });
    // Bound on the rows window, it runs before the control's own paint,
    // which it replaces (not skipped) outside the details style.
    rows.Bind(wxEVT_PAINT, [&list, &rows, layout](wxPaintEvent& event) {
        if (list.InReportView()) {
            event.Skip();
            return;
        }
        wxPaintDC dc(&rows);
        if (!layout->IsPending()) CIconRowsPainter(list, rows).Paint(dc, rows.GetUpdateRegion());
    });
    return layout;
}

wxImageList* CIconRowsPainter::Images() const {
    return list_.GetImageList(list_.HasFlag(wxLC_ICON) ? wxIMAGE_LIST_NORMAL : wxIMAGE_LIST_SMALL);
}

int CIconRowsPainter::Image(long item) const {
    wxListItem info;
    info.SetId(item);
    info.SetMask(wxLIST_MASK_IMAGE);
    return list_.GetItem(info) ? info.GetImage() : -1;
}

CIconRowsPainter::ItemGeometry CIconRowsPainter::Geometry(wxDC& dc, long item) const {
    ItemGeometry g;
    // The whole item, as the control laid it out (and widened it to its
    // column's width, in the icon styles).
    list_.GetItemRect(item, g.all);
    const wxString text = list_.GetItemText(item);
    const int image = Image(item);
    const bool icons = list_.HasFlag(wxLC_ICON) || list_.HasFlag(wxLC_SMALL_ICON);
    wxImageList* images = Images();
    int imageWidth = 0;
    int imageHeight = 0;
    const bool hasImage = image >= 0 && images != nullptr;
    if (hasImage) images->GetSize(image, imageWidth, imageHeight);

    dc.SetFont(rows_.GetFont());
    int textWidth = 0;
    int textHeight = 0;
    if (!text.empty() || !icons)
        dc.GetTextExtent(text.empty() ? wxString("H") : text, &textWidth, &textHeight);
    const int labelWidth = text.empty() && icons ? 0 : textWidth + kExtraWidth;
    const int labelHeight = text.empty() && icons ? 0 : textHeight + kExtraHeight;

    if (!icons) {
        // The list style: the image, then the label, on one line.
        g.highlight = g.all;
        g.label = wxRect(g.all.x + kExtraWidth / 2, g.all.y + 2, labelWidth, labelHeight);
        if (hasImage) {
            g.icon = wxRect(g.all.x + 2, g.all.y + 2, imageWidth, imageHeight);
            g.label.x = g.all.x + 4 + kExtraWidth / 2 + imageWidth;
        }
        return g;
    }

    // The icon styles: the image above a centred label. The item's width
    // before the control widened it to its column's:
    const int spacing = list_.GetItemSpacing().x;
    int ownWidth = spacing;
    if (!text.empty() && labelWidth > spacing) ownWidth = labelWidth;
    const int iconWidth = hasImage ? imageWidth + 8 : 0;
    const int iconHeight = hasImage ? imageHeight + 8 : 0;
    if (hasImage && iconWidth > ownWidth) ownWidth = iconWidth;

    g.label = wxRect(0, 0, labelWidth, labelHeight);
    if (!text.empty()) {
        g.label.x = ownWidth > spacing ? g.all.x + kExtraWidth / 2
                                       : g.all.x + kExtraWidth / 2 + spacing / 2 - labelWidth / 2;
        g.label.y = g.all.y + g.all.height + 2 - labelHeight;
    }
    if (hasImage) g.icon = wxRect(g.all.x + 4, g.all.y + 4, iconWidth, iconHeight);
    // Widening moves each part by half the room it leaves.
    const int widened = g.all.width;
    g.label.x += (widened - g.label.width) / 2;
    g.icon.x += (widened - g.icon.width) / 2;
    if (!text.empty()) g.highlight = wxRect(g.label.x - 2, g.label.y - 2, labelWidth, labelHeight);
    else g.highlight = wxRect(g.icon.x - 4, g.icon.y - 4, iconWidth, iconHeight);
    return g;
}

void CIconRowsPainter::PaintItem(wxDC& dc, long item, const ItemGeometry& g, bool current,
                                 bool hasFocus) const {
    const bool selected = list_.GetItemState(item, wxLIST_STATE_SELECTED) != 0;
    wxColour text;
    if (selected)
        text = wxSystemSettings::GetColour(hasFocus ? wxSYS_COLOUR_HIGHLIGHTTEXT
                                                    : wxSYS_COLOUR_LISTBOXHIGHLIGHTTEXT);
    else if (const wxColour own = list_.GetItemTextColour(item); own.IsOk()) text = own;
    else text = list_.GetForegroundColour();
    dc.SetTextForeground(text);
    dc.SetFont(list_.GetFont());
    if (selected) {
        int flags = wxCONTROL_SELECTED;
        if (hasFocus) flags |= wxCONTROL_FOCUSED;
        if (current) flags |= wxCONTROL_CURRENT;
        wxRendererNative::Get().DrawItemSelectionRect(&rows_, dc, g.highlight, flags);
    } else if (const wxColour back = list_.GetItemBackgroundColour(item); back.IsOk()) {
        dc.SetBrush(back);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(g.highlight);
    }
    if (const int image = Image(item); image >= 0) {
        if (wxImageList* images = Images(); images != nullptr)
            dc.DrawBitmap(images->GetBitmap(image), g.icon.x, g.icon.y, true);
    }
    if (const wxString label = list_.GetItemText(item); !label.empty()) {
        wxDCClipper clip(dc, g.label);
        dc.DrawText(label, g.label.x, g.label.y);
    }
}

void CIconRowsPainter::Paint(wxDC& dc, const wxRegion& update) const {
    const long count = list_.GetItemCount();
    if (count == 0) return;
    const bool hasFocus = list_.HasFocus();
    const long current = list_.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    for (long item = 0; item < count; ++item) {
        wxRect all;
        // Cheap: the control keeps each item's rectangle.
        if (!list_.GetItemRect(item, all) || update.Contains(all) == wxOutRegion) continue;
        PaintItem(dc, item, Geometry(dc, item), item == current, hasFocus);
    }
    if (current >= 0) {
        wxRect all;
        list_.GetItemRect(current, all);
        if (update.Contains(all) == wxOutRegion) return;
        int flags = 0;
        if (list_.GetItemState(current, wxLIST_STATE_SELECTED) != 0) flags |= wxCONTROL_SELECTED;
        wxRendererNative::Get().DrawFocusRect(&rows_, dc, Geometry(dc, current).highlight, flags);
    }
}
