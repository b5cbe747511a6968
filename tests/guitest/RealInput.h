#pragma once
// What a person does to the windows, for tests that must show a fault the
// way a person meets it: the pointer and the keys through the X server's
// XTest extension (the server turns them into the same events a mouse and
// a keyboard give), requests a window manager sends or honours (the
// WM_DELETE_WINDOW close request, a minimise), a real window manager when
// a gesture needs one, and the waiting that goes with it.
//
// The input goes out on a connection of its own and is not waited for: a
// test waits for what it expects with Until, which runs the program's
// events meanwhile. wxUIActionSimulator is not used: its pointer moves run
// a wxYield of their own, which asserts once a gesture goes on inside a
// loop that a handler runs (a drag, a popup menu, a modal dialog); the
// steps of such a gesture run from a timer (Steps) inside that loop.

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/timer.h>
#include <wx/weakref.h>
#include <wx/window.h>

class wxDialog;
class wxMenu;
class wxMenuEvent;
class wxTopLevelWindow;
class wxWindow;

namespace guitest {

using namespace std::chrono_literals;

// Bounds of waits: generous, a loaded machine may be slow; a passing test
// never waits for them.
inline constexpr std::chrono::milliseconds kWaitBound = 30s;

// Runs the program's events until `done` holds or `bound` has passed;
// whether `done` held.
bool Until(const std::function<bool()>& done, std::chrono::milliseconds bound = kWaitBound);

// Runs `action` from inside a running event loop, as the program runs its
// handlers (and its waits) from its main loop, and returns once it has.
void RunInLoop(const std::function<void()>& action);

// Runs the program's events for at least `duration` (a gesture whose
// meaning is a pause, such as a slow second click).
void RunFor(std::chrono::milliseconds duration);

// Makes sure the program has read every event the X server sent it so far
// and handled what is ready.
void Settle();

// The pointer and the keyboard of the X server.
class XInput {
public:
    XInput();
    ~XInput();
    XInput(const XInput&) = delete;
    XInput& operator=(const XInput&) = delete;

    // Buttons as X numbers them: 1 left, 2 middle, 3 right.
    enum Button : unsigned { kLeft = 1, kMiddle = 2, kRight = 3 };

    void MoveTo(const wxPoint& screen);
    void Press(Button button = kLeft);
    void Release(Button button = kLeft);
    // Moves there, presses and releases.
    void Click(const wxPoint& screen, Button button = kLeft);
    // A left click at a point of the window (client coordinates; its middle
    // by default).
    void ClickOn(const wxWindow& window, wxPoint at = wxDefaultPosition);
    // A key by its X keysym (XK_Return, XK_v, ...), down or up.
    void Key(unsigned long keysym, bool down);
    // Down and up, with Control and Shift held around it when asked.
    void Tap(unsigned long keysym, bool control = false, bool shift = false);
    // Letters, digits, spaces, dots and minus signs, as typed on a keyboard.
    void Type(const std::string& text);
    // Where the server has the pointer.
    wxPoint Pointer();

private:
    void Sync();
    struct Display_;
    std::unique_ptr<Display_> x_;
};

// Steps of a gesture, run one after the other from a timer, so that they go
// on inside a loop a handler runs (a drag, a popup menu). A step returns
// true when it is done; a step that waits returns false until its
// condition holds. A step that waits longer than the bound fails the test
// and ends the gesture (buttons released).
class Steps {
public:
    using Step = std::function<bool()>;
    Steps();
    ~Steps();
    Steps& Then(Step step);
    // A step that only acts.
    Steps& Do(std::function<void()> action);
    // A step that waits for `condition`, at most `bound`.
    Steps& Wait(std::function<bool()> condition, std::chrono::milliseconds bound = kWaitBound);
    // Runs when a step fails (releases what the gesture holds).
    Steps& OnFailure(std::function<void()> cleanup);
    // Starts running them; Done once all ran (or one failed).
    void Start();
    bool Done() const { return queue_.empty(); }
    bool Failed() const { return failed_; }

private:
    void Tick();
    struct Entry {
        Step step;
        std::chrono::milliseconds bound;
    };
    std::deque<Entry> queue_;
    std::function<void()> onFailure_;
    wxTimer timer_;
    std::chrono::steady_clock::time_point stepStart_;
    bool failed_ = false;
};

// Answers the dialogs the program opens while a test runs (a modal wx
// dialog, a message box), the way a person would, and keeps what they said.
// By default each is cancelled; `answer` may take a wx dialog over instead
// (returning true), to end it by its own gestures. A dialog taken over and
// still open after the wait bound is cancelled, so a test never hangs.
class ModalWatch {
public:
    ModalWatch();
    ~ModalWatch();
    std::function<bool(wxDialog&)> answer;
    // "<title>" for wx dialogs, "message: <text>" for message boxes.
    std::vector<std::string> seen;

private:
    void Check();
    wxTimer timer_;
    const void* takenOver_ = nullptr;
    std::chrono::steady_clock::time_point takenAt_;
};

// The number of popup menus shown (a menu and its open submenus).
int ShownMenuCount();

// The context menus a window pops up, as a person meets them: each is a
// real popup, which GTK runs in a loop of its own until it closes. Once one
// is open, `onShown` sees it and gives the keys then pressed in it, each
// once the menu it goes to is open (a key that opens a submenu is followed
// by keys for that submenu); no keys give Escape, which closes the menu.
class ContextMenuWatch {
public:
    using OnShown = std::function<std::vector<unsigned long>(wxMenu& menu)>;
    ContextMenuWatch(wxWindow& window, XInput& input, OnShown onShown);
    ~ContextMenuWatch();
    ContextMenuWatch(const ContextMenuWatch&) = delete;
    ContextMenuWatch& operator=(const ContextMenuWatch&) = delete;

    // The menus popped up so far.
    int Shown() const { return shown_; }

private:
    void OnOpen(wxMenuEvent& event);

    wxWeakRef<wxWindow> window_;
    XInput& input_;
    OnShown onShown_;
    std::vector<std::unique_ptr<Steps>> steps_;  // one gesture a menu shown
    int shown_ = 0;
};

// The X window of a top-level window.
unsigned long XWindowOf(wxWindow& window);
// What a window manager sends when the user closes the window (its close
// box, Alt+F4): a WM_DELETE_WINDOW ClientMessage to the window itself.
void SendCloseRequest(wxTopLevelWindow& window);
// Asks the window manager to minimise the window, as a taskbar or a pager
// does (ICCCM WM_CHANGE_STATE to the root window).
void RequestMinimise(wxTopLevelWindow& window);
// The window's ICCCM state as the window manager set it: 1 normal, 3
// minimised, 0 none (withdrawn, or no window manager).
long WmStateOf(wxTopLevelWindow& window);

// A window manager (openbox) on the test's display for as long as it lives.
class WindowManager {
public:
    WindowManager();
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;
    bool IsRunning() const { return running_; }

private:
    int pid_ = -1;
    bool running_ = false;
};

}  // namespace guitest
