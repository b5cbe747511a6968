#pragma once
// Keeps the main window from closing while a transfer waits below on the
// stack (closing would destroy the document the waiting loop uses): a close
// arriving meanwhile is refused and carried out once the transfer is over,
// at the next idle time.
//
// The window is disabled during a transfer (the progress box disables every
// other window), and wx on GTK drops a window manager's close request to a
// disabled window before any wx handler sees it. So the guard also watches
// the request itself, as GTK receives it from the window manager.

#include <functional>

class wxCloseEvent;
class wxIdleEvent;
class wxTopLevelWindow;

class CVelkCloseGuard {
public:
    // `busy` tells whether a transfer runs (CVelkDoc::IsTransferRunning).
    // The guard must live as long as the window's handlers can run.
    CVelkCloseGuard(wxTopLevelWindow& window, std::function<bool()> busy);
    ~CVelkCloseGuard();
    CVelkCloseGuard(const CVelkCloseGuard&) = delete;
    CVelkCloseGuard& operator=(const CVelkCloseGuard&) = delete;

    bool IsClosePending() const { return pending_; }

    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);
    // A window manager's close request: true when it is deferred (a
    // transfer runs); false leaves it to the window's own handling.
    bool OnCloseRequest();

private:
    wxTopLevelWindow& window_;
    std::function<bool()> busy_;
    bool pending_ = false;
    unsigned long requestHandler_ = 0;
};
