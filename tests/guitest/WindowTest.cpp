#include "tests/guitest/WindowTest.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/utils.h>

namespace guitest {

WindowTest::WindowTest(wxString title, wxSize size) : title_(std::move(title)), size_(size) {}

void WindowTest::Pump() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

void WindowTest::SetUp() {
    frame_ = new wxFrame(nullptr, wxID_ANY, title_, wxPoint(0, 0), size_);
    AddChildren();
    frame_->Show();
    Pump();
}

void WindowTest::TearDown() {
    if (!frame_) return;
    frame_->Hide();
    frame_->Destroy();
    frame_ = nullptr;
    Pump();
}

void WindowTest::Click(wxDialog& dialog, int id) {
    wxWindow* button = dialog.FindWindow(id);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

void Mouse(wxWindow& window, wxEventType type, int x, int y, bool left, bool shift) {
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(x, y));
    event.m_leftDown = left;
    event.SetShiftDown(shift);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

}  // namespace guitest
