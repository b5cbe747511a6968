#pragma once
// Delivers a control's notice to its parent, synchronously and to the parent
// only, as the controls' notices are meant for the page that owns them.

#include <wx/event.h>
#include <wx/window.h>

inline void SendControlNotice(wxWindow& control, wxCommandEvent& event) {
    wxWindow* parent = control.GetParent();
    if (!parent || control.IsBeingDeleted()) return;
    event.SetEventObject(&control);
    event.StopPropagation();
    parent->ProcessWindowEvent(event);
}
