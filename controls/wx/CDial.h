#pragma once
// The round knob on a page. Its value, range and mouse handling live in
// CDialModel; this window keeps itself square, paints the model (corners
// left unpainted, showing the page, since a child window cannot take a
// round shape),
// and raises the knob's notices as events on its parent:
//   EVT_CDIAL_CHANGED          ("CDial_Changed"): GetId() the knob's id, GetInt() the new value
//   EVT_CDIAL_RELEASEDCAPTURE  ("CDial_Releasedcapture"): GetId(), GetInt() the value at release
//   EVT_CDIAL_CLICKED          a left press inside the circle (pages move the focus on it)

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/control.h>
#include <wx/event.h>

#include "controls/CDialModel.h"

wxDECLARE_EVENT(EVT_CDIAL_CHANGED, wxCommandEvent);
wxDECLARE_EVENT(EVT_CDIAL_RELEASEDCAPTURE, wxCommandEvent);
wxDECLARE_EVENT(EVT_CDIAL_CLICKED, wxCommandEvent);

class CDial : public wxControl, private CDialModel::Listener {
public:
    // The window becomes a square of the shorter side of size.
    CDial(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size);
    ~CDial() override;

    int GetValue() const { return model_.GetValue(); }
    void SetValue(int v) { model_.SetValue(v); }
    void SetRange(int minimum, int maximum, int defaultValue) {
        model_.SetRange(minimum, maximum, defaultValue);
    }
    int GetMinimum() const { return model_.GetMinimum(); }
    int GetMaximum() const { return model_.GetMaximum(); }
    int GetDefault() const { return model_.GetDefault(); }
    const CDialModel& Model() const { return model_; }

    bool AcceptsFocus() const override { return false; }  // no keyboard input

    // The knob as it is painted, side x side: corners transparent, their
    // colour `background`.
    static wxBitmap Render(const CDialModel& model, int side, const wxColour& background);

protected:
    wxSize DoGetBestSize() const override;

private:
    void DialChanged(int value) override;
    void DialReleasedCapture(int value) override;
    void DialInvalidate() override;
    void Notify(wxEventType type, int value);

    void MakeSquare();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    CDialModel model_;
    // The knob last painted, kept until what it shows changes: a page of
    // knobs is drawn whole each time its tab is chosen.
    struct Painted {
        int side = 0;
        wxColour background;
        CDialModel::Indicator indicator{};
        bool operator==(const Painted&) const = default;
    };
    Painted painted_;
    wxBitmap paintedBitmap_;
};
