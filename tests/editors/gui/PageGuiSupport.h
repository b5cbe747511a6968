#pragma once
// Page tests on real windows: a shown frame to hold a page (a WindowTest),
// user actions driven as events (what the control would raise after the
// user's input), and a picture of a page for people to look at.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/notebook.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <cstdlib>
#include <functional>
#include <vector>
#include <string>

#include "controls/wx/C2StateButton.h"
#include "tests/guitest/RealInput.h"
#include "tests/guitest/SaveShot.h"
#include "tests/guitest/WindowTest.h"
#include "controls/wx/CDial.h"

namespace editors_test {

class PageGuiTest : public guitest::WindowTest {
protected:
    PageGuiTest() : WindowTest("page", wxSize(1400, 1000)) {}
};

// The command event a control raises after the user changed it.
inline void RaiseCommand(wxWindow& control, wxEventType type, int value) {
    wxCommandEvent event(type, control.GetId());
    event.SetEventObject(&control);
    event.SetInt(value);
    control.ProcessWindowEvent(event);
}

inline void UserSelect(wxWindow* control, int item) {
    auto* list = dynamic_cast<wxChoice*>(control);
    ASSERT_NE(list, nullptr);
    list->SetSelection(item);
    RaiseCommand(*list, wxEVT_CHOICE, item);
}

inline void UserCheck(wxWindow* control, bool checked) {
    auto* box = dynamic_cast<wxCheckBox*>(control);
    ASSERT_NE(box, nullptr);
    box->SetValue(checked);
    RaiseCommand(*box, wxEVT_CHECKBOX, checked ? 1 : 0);
}

inline void UserSlide(wxWindow* control, int position) {
    auto* slider = dynamic_cast<wxSlider*>(control);
    ASSERT_NE(slider, nullptr);
    slider->SetValue(position);
    RaiseCommand(*slider, wxEVT_SLIDER, position);
}

// Typing: SetValue raises the edit's text event as typing does.
inline void UserType(wxWindow* control, const char* text) {
    auto* edit = dynamic_cast<wxTextCtrl*>(control);
    ASSERT_NE(edit, nullptr);
    edit->SetValue(wxString::FromUTF8(text));
}

inline void UserLeave(wxWindow* control) {
    ASSERT_NE(control, nullptr);
    wxFocusEvent event(wxEVT_KILL_FOCUS, control->GetId());
    event.SetEventObject(control);
    control->ProcessWindowEvent(event);
}

using guitest::Mouse;

// A left click in the middle of a window (two-state button, knob).
inline void UserClick(wxWindow* control, bool shift = false) {
    ASSERT_NE(control, nullptr);
    const wxSize size = control->GetClientSize();
    Mouse(*control, wxEVT_LEFT_DOWN, size.x / 2, size.y / 2, true, shift);
    Mouse(*control, wxEVT_LEFT_UP, size.x / 2, size.y / 2, false, shift);
}

using guitest::SaveShot;

// Every text edit inside `window`, in the order of the window tree, as
// "#id text".
inline std::vector<std::string> EditTexts(const wxWindow& window) {
    std::vector<std::string> texts;
    for (const wxWindow* child : window.GetChildren()) {
        if (const auto* edit = dynamic_cast<const wxTextCtrl*>(child))
            texts.push_back("#" + std::to_string(edit->GetId()) + " " + edit->GetValue().utf8_string());
        for (std::string& text : EditTexts(*child)) texts.push_back(std::move(text));
    }
    return texts;
}

// Until `window` is on the screen where wx put it: mapped and laid out by
// GTK, which lays a new window out only on its next frame. A click that
// comes before then lands on the window below, and nothing takes the focus.
inline bool UntilOnScreen(const wxWindow& window) {
    auto* widget = static_cast<GtkWidget*>(window.GetHandle());
    if (widget == nullptr) return false;
    const bool laidOut = guitest::Until([widget, &window] {
        GtkAllocation allocation{};
        gtk_widget_get_allocation(widget, &allocation);
        return window.IsShownOnScreen() && gtk_widget_get_mapped(widget) && allocation.width > 1 &&
               allocation.height > 1;
    });
    guitest::Settle();
    return laidOut;
}

// A real click on the label of tab n; whether the notebook then shows it,
// laid out.
inline bool ClickTab(guitest::XInput& input, wxNotebook& tabs, int n) {
    // The first point of the tab row that hits tab n, once GTK has laid the
    // row out (new tabs have no place before).
    wxPoint label;
    const bool found = guitest::Until([&] {
        for (int x = 2; x < tabs.GetSize().x; x += 4)
            for (int y = 2; y < 60; y += 4)
                if (tabs.HitTest(wxPoint(x, y)) == n) {
                    label = wxPoint(x + 6, y + 4);
                    return true;
                }
        return false;
    });
    if (!found) return false;
    input.ClickOn(tabs, label);
    if (!guitest::Until([&] { return tabs.GetSelection() == n; })) return false;
    guitest::Settle();
    return true;
}

// The class and id of a window, for messages.
inline std::string Describe(const wxWindow* window) {
    if (window == nullptr) return "none";
    return wxString(window->GetClassInfo()->GetClassName()).utf8_string() + " #" +
           std::to_string(window->GetId());
}

// Runs `dialog` modally, as the program opens an editor. Once the window
// manager (the test runs one) has made it the active window and it holds
// the keyboard focus, `whileOpen` adds the steps of a gesture, which run
// inside the dialog's loop; then the dialog is ended with wxID_CANCEL.
inline void RunModalWith(wxDialog& dialog, const std::function<void(guitest::Steps&)>& whileOpen) {
    guitest::Steps steps;
    steps.Wait([&dialog] {
        wxWindow* focus = wxWindow::FindFocus();
        return dialog.IsActive() && focus != nullptr && wxGetTopLevelParent(focus) == &dialog;
    });
    steps.Do([] { guitest::Settle(); });
    whileOpen(steps);
    steps.Do([&dialog] { dialog.EndModal(wxID_CANCEL); });
    steps.OnFailure([&dialog] { dialog.EndModal(wxID_CANCEL); });
    steps.Start();
    dialog.ShowModal();
}

}  // namespace editors_test
