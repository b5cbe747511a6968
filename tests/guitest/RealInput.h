#pragma once
// Real pointer and keyboard input for GUI tests: XTest events through
// wxUIActionSimulator, which GTK receives from the X server exactly as it
// receives a person's input (window stacking, grabs and focus included).
//
// The simulator's input reaches the server on a connection of its own. Each
// step waits until the server reports the new pointer or button state (a
// round trip on our own connection), then dispatches what the input caused.
// Effects that the server cannot report (typed text, a chosen item) are
// waited for with WaitUntil.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include <wx/app.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace guitest {

// Dispatches pending input and events until `done` holds; false when it
// still does not after `limit` (generous: a loaded machine is slow).
inline bool WaitUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
        if (done()) return true;
        if (std::chrono::steady_clock::now() > until) return false;
        wxMilliSleep(5);
    }
}

class RealInput {
public:
    void MoveTo(const wxPoint& screen) {
        sim_.MouseMove(screen);
        EXPECT_TRUE(WaitUntil([&] { return wxGetMousePosition() == screen; }))
            << "the pointer did not reach " << screen.x << "," << screen.y;
    }

    // A left click at a point of the window (its middle by default).
    void Click(wxWindow& window, wxPoint at = wxDefaultPosition) {
        if (at == wxDefaultPosition) at = wxPoint(window.GetSize().x / 2, window.GetSize().y / 2);
        ClickAt(window.ClientToScreen(at));
    }

    void ClickAt(const wxPoint& screen) {
        MoveTo(screen);
        Button(true);
        Button(false);
    }

    void Button(bool down) {
        down ? sim_.MouseDown() : sim_.MouseUp();
        EXPECT_TRUE(WaitUntil([&] { return wxGetMouseState().LeftIsDown() == down; }));
        Settle();
    }

    // Key presses (wx key codes, modifiers wxMOD_*); wait for their effect.
    void Key(int keyCode, int modifiers = wxMOD_NONE) { sim_.Char(keyCode, modifiers); }
    void Type(const std::string& text) { sim_.Text(text.c_str()); }

    // Lets the display catch up with what the input caused.
    static void Settle() {
        for (int i = 0; i < 5; ++i) {
            wxTheApp->ProcessPendingEvents();
            wxYield();
        }
    }

private:
    wxUIActionSimulator sim_;
};

}  // namespace guitest
