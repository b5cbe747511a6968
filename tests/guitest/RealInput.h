#pragma once
// A person's input on real windows: pointer moves, clicks and keys go to the
// X server through XTest (wxUIActionSimulator), as a mouse and a keyboard
// would send them, and the events they cause are dispatched before each
// call returns. Needs a display (each GUI test process has its own).

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include <wx/app.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace guitest {

// Dispatches until `done` holds, at most `limit` (generous: a loaded
// machine is slow); false when it never held.
inline bool Until(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
    return true;
}

// Dispatches what is queued now, and for `span` more (GTK answers some input
// only after a round trip or on its frame clock).
inline void Settle(std::chrono::milliseconds span = std::chrono::milliseconds(50)) {
    const auto end = std::chrono::steady_clock::now() + span;
    do {
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
        wxMilliSleep(2);
    } while (std::chrono::steady_clock::now() < end);
}

class RealInput {
public:
    // Moves the pointer to a point of `window` (client coordinates).
    void MoveTo(const wxWindow& window, wxPoint point) { MoveToScreen(window.ClientToScreen(point)); }
    void MoveToScreen(wxPoint screen) {
        sim_.MouseMove(screen);
        EXPECT_TRUE(Until([screen] { return wxGetMousePosition() == screen; })) << "pointer move";
        Settle();
    }
    void Click(int button = wxMOUSE_BTN_LEFT) {
        Button(button, true);
        Button(button, false);
        Settle();
    }
    void ClickAt(const wxWindow& window, wxPoint point, int button = wxMOUSE_BTN_LEFT) {
        MoveTo(window, point);
        Click(button);
    }
    void DoubleClickAt(const wxWindow& window, wxPoint point) {
        MoveTo(window, point);
        sim_.MouseDblClick();
        Settle(std::chrono::milliseconds(100));
    }
    // One key with modifiers (wxMOD_CONTROL ...), pressed and released.
    void Key(int keyCode, int modifiers = wxMOD_NONE) {
        sim_.Char(keyCode, modifiers);
        Settle();
    }
    void Type(const char* text) {
        sim_.Text(text);
        Settle();
    }

private:
    void Button(int button, bool down) {
        down ? sim_.MouseDown(button) : sim_.MouseUp(button);
        const auto isDown = [button] {
            const wxMouseState state = wxGetMouseState();
            return button == wxMOUSE_BTN_RIGHT ? state.RightIsDown()
                   : button == wxMOUSE_BTN_MIDDLE ? state.MiddleIsDown()
                                                 : state.LeftIsDown();
        };
        EXPECT_TRUE(Until([&] { return isDown() == down; })) << "button " << (down ? "down" : "up");
    }

    wxUIActionSimulator sim_;
};

}  // namespace guitest
