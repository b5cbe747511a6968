#pragma once
// A test on real windows: a shown main window, destroyed with whatever it
// owns at the end, and the events a test hands straight to a window (a
// button's command, a mouse event) where the gesture itself is not what is
// tested (tests/guitest/RealInput.h makes real input).

#include <gtest/gtest.h>

#include <wx/event.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxDialog;
class wxFrame;
class wxWindow;

namespace guitest {

class WindowTest : public ::testing::Test {
public:
    // Lets the display catch up (map, expose, queued input).
    static void Pump();

protected:
    // The main window's title and size (wx's default size unless given).
    explicit WindowTest(wxString title = "main", wxSize size = wxDefaultSize);
    // Makes the window at the screen's corner and shows it.
    void SetUp() override;
    // Hides and destroys it; nothing when SetUp did not run (a skip).
    void TearDown() override;
    // Runs before the window is shown: the children it lays out go in here.
    virtual void AddChildren() {}

    // A click on a dialog's button, as the command event the button raises.
    static void Click(wxDialog& dialog, int id);

    wxFrame* frame_ = nullptr;

private:
    wxString title_;
    wxSize size_;
};

// A mouse event at (x, y) of the window's client area, handed to it.
void Mouse(wxWindow& window, wxEventType type, int x, int y, bool left, bool shift = false);

}  // namespace guitest
