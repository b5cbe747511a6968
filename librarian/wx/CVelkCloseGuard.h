#pragma once
// Keeps the main window from closing while a transfer waits below on the
// stack (closing would destroy the document the waiting loop uses): a close
// arriving meanwhile is vetoed and carried out once the transfer is over,
// at the next idle time.

#include <functional>

class wxCloseEvent;
class wxIdleEvent;
class wxTopLevelWindow;

class CVelkCloseGuard {
public:
    // `busy` tells whether a transfer runs (CVelkDoc::IsTransferRunning).
    // The guard must live as long as the window's handlers can run.
    CVelkCloseGuard(wxTopLevelWindow& window, std::function<bool()> busy);

    bool IsClosePending() const { return pending_; }

    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);

private:
    wxTopLevelWindow& window_;
    std::function<bool()> busy_;
    bool pending_ = false;
};
