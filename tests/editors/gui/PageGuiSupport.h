#pragma once
// Page tests on real windows: a shown frame to hold a page, user actions
// driven as events (what the control would raise after the user's input),
// and a picture of a page for people to look at.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cstdlib>
#include <string>

#include "controls/wx/C2StateButton.h"
#include "tests/guitest/SaveShot.h"
#include "controls/wx/CDial.h"

namespace editors_test {

class PageGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame_ = new wxFrame(nullptr, wxID_ANY, "page", wxPoint(0, 0), wxSize(1400, 1000));
        frame_->Show();
        Pump();
    }
    void TearDown() override
    {
        frame_->Destroy();
        Pump();
    }

    // Lets the display catch up (map, expose, queued input).
    static void Pump()
    {
        for (int i = 0; i < 5; ++i) {
            wxTheApp->ProcessPendingEvents();
            wxYield();
        }
    }

    wxFrame* frame_ = nullptr;
};

// The command event a control raises after the user changed it.
inline void RaiseCommand(wxWindow& control, wxEventType type, int value)
{
    wxCommandEvent event(type, control.GetId());
    event.SetEventObject(&control);
    event.SetInt(value);
    control.ProcessWindowEvent(event);
}

inline void UserSelect(wxWindow* control, int item)
{
    auto* list = dynamic_cast<wxChoice*>(control);
    ASSERT_NE(list, nullptr);
    list->SetSelection(item);
    RaiseCommand(*list, wxEVT_CHOICE, item);
}

inline void UserCheck(wxWindow* control, bool checked)
{
    auto* box = dynamic_cast<wxCheckBox*>(control);
    ASSERT_NE(box, nullptr);
    box->SetValue(checked);
    RaiseCommand(*box, wxEVT_CHECKBOX, checked ? 1 : 0);
}

inline void UserSlide(wxWindow* control, int position)
{
    auto* slider = dynamic_cast<wxSlider*>(control);
    ASSERT_NE(slider, nullptr);
    slider->SetValue(position);
    RaiseCommand(*slider, wxEVT_SLIDER, position);
}

// Typing: SetValue raises the edit's text event as typing does.
inline void UserType(wxWindow* control, const char* text)
{
    auto* edit = dynamic_cast<wxTextCtrl*>(control);
    ASSERT_NE(edit, nullptr);
    edit->SetValue(wxString::FromUTF8(text));
}

inline void UserLeave(wxWindow* control)
{
    ASSERT_NE(control, nullptr);
    wxFocusEvent event(wxEVT_KILL_FOCUS, control->GetId());
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

inline void Mouse(wxWindow& w, wxEventType type, int x, int y, bool left, bool shift = false)
{
    wxMouseEvent e(type);
    e.SetPosition(wxPoint(x, y));
    e.m_leftDown = left;
    e.SetShiftDown(shift);
    e.SetEventObject(&w);
    w.ProcessWindowEvent(e);
}

// A left click in the middle of a window (two-state button, knob).
inline void UserClick(wxWindow* control, bool shift = false)
{
    ASSERT_NE(control, nullptr);
    const wxSize size = control->GetClientSize();
    Mouse(*control, wxEVT_LEFT_DOWN, size.x / 2, size.y / 2, true, shift);
    Mouse(*control, wxEVT_LEFT_UP, size.x / 2, size.y / 2, false, shift);
}

using guitest::SaveShot;

}  // namespace editors_test
