#include "controls/wx/C2StateButton.h"

#include <algorithm>
#include <utility>

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

C2StateButton::C2StateButton(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetLabel(wxString::FromUTF8(model_.Text()));
    Bind(wxEVT_PAINT, &C2StateButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &C2StateButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &C2StateButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &C2StateButton::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &C2StateButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_UP, &C2StateButton::OnKeyUp, this);
    Bind(wxEVT_SET_FOCUS, &C2StateButton::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &C2StateButton::OnFocus, this);
}

C2StateButton::~C2StateButton() {
    if (HasCapture()) ReleaseMouse();
}

void C2StateButton::SetState(int state, std::optional<std::string> textA, std::optional<std::string> textB) {
    model_.SetState(state, std::move(textA), std::move(textB));
    SetLabel(wxString::FromUTF8(model_.Text()));
    Refresh(false);
}

wxSize C2StateButton::DoGetBestSize() const {
    wxClientDC dc(const_cast<C2StateButton*>(this));
    dc.SetFont(GetFont());
    const wxSize on = dc.GetTextExtent(wxString::FromUTF8(model_.Text()));
    return wxSize(on.x + FromDIP(12), on.y + FromDIP(8));
}

void C2StateButton::Click(bool hasFocus) {
    if (!model_.Click(hasFocus)) return;
    SetLabel(wxString::FromUTF8(model_.Text()));
    Refresh(false);
    wxCommandEvent event(wxEVT_BUTTON, GetId());
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void C2StateButton::Command(wxCommandEvent&) { Click(HasFocus()); }

void C2StateButton::OnLeftDown(wxMouseEvent&) {
    // As a push button, a press takes the focus before the click is reported.
    SetFocus();
    heldDown_ = true;
    if (!HasCapture()) CaptureMouse();
    Refresh(false);
}

void C2StateButton::OnLeftUp(wxMouseEvent& event) {
    if (!heldDown_) return;
    heldDown_ = false;
    if (HasCapture()) ReleaseMouse();
    Refresh(false);
    // The press gave this button the focus, so a click released over it
    // counts as a click on the focused button.
    if (GetClientRect().Contains(event.GetPosition())) Click(true);
}

void C2StateButton::OnCaptureLost(wxMouseCaptureLostEvent&) {
    heldDown_ = false;
    Refresh(false);
}

void C2StateButton::OnKeyUp(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_SPACE) Click(true);  // keys reach only the focused window
    else event.Skip();
}

void C2StateButton::OnFocus(wxFocusEvent& event) {
    // The look is set again from the state when the focus comes or goes.
    Refresh(false);
    event.Skip();
}

void C2StateButton::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    int flags = 0;
    if (LooksPushed()) flags |= wxCONTROL_PRESSED;
    if (HasFocus()) flags |= wxCONTROL_FOCUSED;
    if (!IsEnabled()) flags |= wxCONTROL_DISABLED;
    const wxRect rect = GetClientRect();
    wxRendererNative::Get().DrawPushButton(this, dc, rect, flags);
    dc.SetFont(GetFont());
    dc.SetTextForeground(
        wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT));
    dc.DrawLabel(GetLabel(), rect, wxALIGN_CENTER);
}
