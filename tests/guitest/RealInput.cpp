#include "tests/guitest/RealInput.h"

#include <csignal>
#include <cstdlib>
#include <set>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace guitest {

namespace {

using Clock = std::chrono::steady_clock;

Display* OpenDisplay() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) ADD_FAILURE() << "cannot open the X display";
    return display;
}

}  // namespace

bool Until(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    if (done()) return true;
    // A loop of its own, as the program's main loop would run, left once
    // `done` holds or the bound has passed.
    // `done` is asked once a poll and its answer kept: a condition that
    // takes what it saw (a count of new messages) holds only once.
    wxGUIEventLoop loop;
    const auto deadline = Clock::now() + bound;
    bool held = false;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (!held) held = done();
        if ((held || Clock::now() >= deadline) && loop.IsRunning()) loop.Exit();
    });
    poll.Start(10);
    loop.Run();
    poll.Stop();
    return held || done();
}

void RunInLoop(const std::function<void()>& action) {
    bool done = false;
    wxTheApp->CallAfter([&] {
        action();
        done = true;
    });
    // No bound: the action ends when it ends (it may run a modal loop).
    Until([&] { return done; }, std::chrono::hours(1));
}

void RunFor(std::chrono::milliseconds duration) {
    const auto end = Clock::now() + duration;
    Until([end] { return Clock::now() >= end; }, duration + 1s);
}

void Settle() {
    // A round trip on the program's own connection: every event the server
    // made for it so far is now queued there. Then until none is left.
    gdk_display_sync(gdk_display_get_default());
    Until([] { return !gtk_events_pending() && !(wxTheApp && wxTheApp->HasPendingEvents()); }, 5s);
    // And the idle time that follows, where controls lay themselves out (the
    // list ignores clicks until it has).
    if (wxTheApp) {
        for (int round = 0; round < 10 && wxTheApp->ProcessIdle(); ++round) {
        }
    }
}

// ---------------------------------------------------------------- XInput

struct XInput::Display_ {
    ::Display* display = nullptr;
    std::set<unsigned> buttons;    // held down
    std::set<unsigned long> keys;  // held down
};

XInput::XInput() : x_(std::make_unique<Display_>()) {
    x_->display = OpenDisplay();
    int event = 0, error = 0, major = 0, minor = 0;
    if (x_->display && !XTestQueryExtension(x_->display, &event, &error, &major, &minor))
        ADD_FAILURE() << "the X server has no XTest extension";
}

XInput::~XInput() {
    if (x_->display == nullptr) return;
    // Nothing stays held for the next test.
    for (unsigned button : std::set<unsigned>(x_->buttons)) Release(static_cast<Button>(button));
    for (unsigned long key : std::set<unsigned long>(x_->keys)) Key(key, false);
    XCloseDisplay(x_->display);
}

void XInput::Sync() { XSync(x_->display, False); }

void XInput::MoveTo(const wxPoint& screen) {
    if (!x_->display) return;
    XTestFakeMotionEvent(x_->display, -1, screen.x, screen.y, CurrentTime);
    Sync();
}

void XInput::Press(Button button) {
    if (!x_->display) return;
    XTestFakeButtonEvent(x_->display, button, True, CurrentTime);
    x_->buttons.insert(button);
    Sync();
}

void XInput::Release(Button button) {
    if (!x_->display) return;
    XTestFakeButtonEvent(x_->display, button, False, CurrentTime);
    x_->buttons.erase(button);
    Sync();
}

void XInput::Click(const wxPoint& screen, Button button) {
    MoveTo(screen);
    Press(button);
    Release(button);
}

void XInput::ClickOn(const wxWindow& window, wxPoint at) {
    if (at == wxDefaultPosition) at = wxPoint(window.GetSize().x / 2, window.GetSize().y / 2);
    Click(window.ClientToScreen(at));
}

void XInput::Key(unsigned long keysym, bool down) {
    if (!x_->display) return;
    const KeyCode code = XKeysymToKeycode(x_->display, keysym);
    if (code == 0) {
        ADD_FAILURE() << "no key for keysym " << keysym;
        return;
    }
    XTestFakeKeyEvent(x_->display, code, down ? True : False, CurrentTime);
    if (down) x_->keys.insert(keysym);
    else x_->keys.erase(keysym);
    Sync();
}

void XInput::Tap(unsigned long keysym, bool control, bool shift) {
    if (control) Key(XK_Control_L, true);
    if (shift) Key(XK_Shift_L, true);
    Key(keysym, true);
    Key(keysym, false);
    if (shift) Key(XK_Shift_L, false);
    if (control) Key(XK_Control_L, false);
}

void XInput::Type(const std::string& text) {
    for (const char c : text) {
        if (c == ' ') Tap(XK_space);
        else if (c == '.') Tap(XK_period);
        else if (c == '-') Tap(XK_minus);
        else if (c >= 'A' && c <= 'Z') Tap(XK_a + (c - 'A'), false, true);
        else if (c >= 'a' && c <= 'z') Tap(XK_a + (c - 'a'));
        else if (c >= '0' && c <= '9') Tap(XK_0 + (c - '0'));
        else ADD_FAILURE() << "cannot type '" << c << "'";
    }
}

wxPoint XInput::Pointer() {
    if (!x_->display) return {};
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned mask = 0;
    XQueryPointer(x_->display, DefaultRootWindow(x_->display), &root, &child, &rootX, &rootY, &winX, &winY,
                  &mask);
    return {rootX, rootY};
}

// ---------------------------------------------------------------- Steps

Steps::Steps() {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
}

Steps::~Steps() { timer_.Stop(); }

Steps& Steps::Then(Step step) {
    queue_.push_back({std::move(step), kWaitBound});
    return *this;
}

Steps& Steps::Do(std::function<void()> action) {
    return Then([action] {
        action();
        return true;
    });
}

Steps& Steps::Wait(std::function<bool()> condition, std::chrono::milliseconds bound) {
    queue_.push_back({std::move(condition), bound});
    return *this;
}

Steps& Steps::OnFailure(std::function<void()> cleanup) {
    onFailure_ = std::move(cleanup);
    return *this;
}

void Steps::Start() {
    stepStart_ = Clock::now();
    timer_.Start(15);
}

void Steps::Tick() {
    if (queue_.empty()) {
        timer_.Stop();
        return;
    }
    // The step is taken off while it runs: a step may run a loop of its own
    // in which this timer fires again.
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    if (entry.step()) {
        stepStart_ = Clock::now();
    } else if (Clock::now() - stepStart_ > entry.bound) {
        ADD_FAILURE() << "a step of the gesture waited in vain";
        failed_ = true;
        queue_.clear();
        if (onFailure_) onFailure_();
    } else {
        queue_.push_front(std::move(entry));
    }
    if (queue_.empty()) timer_.Stop();
}

// ---------------------------------------------------------------- ModalWatch

ModalWatch::ModalWatch() {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Check(); });
    timer_.Start(40);
}

ModalWatch::~ModalWatch() { timer_.Stop(); }

void ModalWatch::Check() {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog == nullptr || !dialog->IsModal() || !dialog->IsShown()) continue;
        if (dialog == takenOver_) {
            if (Clock::now() - takenAt_ > kWaitBound) dialog->EndModal(wxID_CANCEL);
            continue;
        }
        seen.push_back(dialog->GetTitle().utf8_string());
        if (answer && answer(*dialog)) {
            takenOver_ = dialog;
            takenAt_ = Clock::now();
            continue;
        }
        dialog->EndModal(wxID_CANCEL);
    }
    // Message boxes are GTK's own dialogs, outside wx's window list.
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item != nullptr; item = item->next) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (!GTK_IS_MESSAGE_DIALOG(widget) || !gtk_widget_get_visible(widget)) continue;
        gchar* text = nullptr;
        g_object_get(widget, "text", &text, nullptr);
        seen.push_back(std::string("message: ") + (text ? text : ""));
        g_free(text);
        gtk_dialog_response(GTK_DIALOG(widget), GTK_RESPONSE_CANCEL);
    }
    g_list_free(toplevels);
}

int ShownMenuCount() {
    int count = 0;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item != nullptr; item = item->next) {
        GtkWidget* widget = GTK_WIDGET(item->data);
        if (!GTK_IS_WINDOW(widget) || !gtk_widget_get_mapped(widget)) continue;
        GtkWidget* child = gtk_bin_get_child(GTK_BIN(widget));
        if (child != nullptr && GTK_IS_MENU(child)) ++count;
    }
    g_list_free(toplevels);
    return count;
}

ContextMenuWatch::ContextMenuWatch(wxWindow& window, XInput& input, OnShown onShown)
    : window_(&window), input_(input), onShown_(std::move(onShown)) {
    window.Bind(wxEVT_MENU_OPEN, &ContextMenuWatch::OnOpen, this);
}

ContextMenuWatch::~ContextMenuWatch() {
    if (window_) window_->Unbind(wxEVT_MENU_OPEN, &ContextMenuWatch::OnOpen, this);
}

void ContextMenuWatch::OnOpen(wxMenuEvent& event) {
    event.Skip();
    // The popup itself, not a submenu of it.
    if (!event.IsPopup() || event.GetMenu() == nullptr) return;
    ++shown_;
    std::vector<unsigned long> keys = onShown_ ? onShown_(*event.GetMenu()) : std::vector<unsigned long>{};
    if (keys.empty()) keys = {XK_Escape};
    // Its own gesture: a second menu that pops up while this one is open
    // (a fault) is closed too, and the test sees both.
    Steps& steps = *steps_.emplace_back(std::make_unique<Steps>());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int menus = keys[i] == XK_Escape ? 1 : static_cast<int>(i) + 1;
        steps.Wait([menus] { return ShownMenuCount() >= menus; });
        steps.Do([this, key = keys[i]] { input_.Tap(key); });
    }
    steps.Start();
}

// ---------------------------------------------------------------- window manager requests

unsigned long XWindowOf(wxWindow& window) {
    GtkWidget* widget = static_cast<GtkWidget*>(window.GetHandle());
    GdkWindow* gdk = widget ? gtk_widget_get_window(widget) : nullptr;
    if (gdk == nullptr) {
        ADD_FAILURE() << "the window is not realized";
        return 0;
    }
    return gdk_x11_window_get_xid(gdk);
}

void SendCloseRequest(wxTopLevelWindow& window) {
    const ::Window target = XWindowOf(window);
    Display* display = OpenDisplay();
    if (display == nullptr || target == 0) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, target, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
}

void RequestMinimise(wxTopLevelWindow& window) {
    const ::Window target = XWindowOf(window);
    Display* display = OpenDisplay();
    if (display == nullptr || target == 0) return;
    XIconifyWindow(display, target, DefaultScreen(display));
    XSync(display, False);
    XCloseDisplay(display);
}

long WmStateOf(wxTopLevelWindow& window) {
    const ::Window target = XWindowOf(window);
    Display* display = OpenDisplay();
    if (display == nullptr || target == 0) return 0;
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long state = 0;
    if (XGetWindowProperty(display, target, wmState, 0, 2, False, wmState, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && count >= 1 && format == 32)
        state = reinterpret_cast<long*>(data)[0];
    if (data) XFree(data);
    XCloseDisplay(display);
    return state;
}

// ---------------------------------------------------------------- WindowManager

WindowManager::WindowManager() {
    pid_ = fork();
    if (pid_ == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid_ < 0) {
        ADD_FAILURE() << "cannot start the window manager";
        return;
    }
    // Running once it has announced itself on the root window.
    Display* display = OpenDisplay();
    if (display == nullptr) return;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    const auto deadline = Clock::now() + kWaitBound;
    while (!running_ && Clock::now() < deadline) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                               &format, &count, &after, &data) == Success &&
            count == 1)
            running_ = true;
        if (data) XFree(data);
        int status = 0;
        if (!running_ && waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            break;  // it ended: not installed, or another one runs
        }
        if (!running_) wxMilliSleep(20);
    }
    XCloseDisplay(display);
    if (!running_) ADD_FAILURE() << "the window manager (openbox) did not start";
}

WindowManager::~WindowManager() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
}

}  // namespace guitest
