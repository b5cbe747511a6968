#include "librarian/wx/CVelkCloseGuard.h"

#include <wx/toplevel.h>

CVelkCloseGuard::CVelkCloseGuard(wxTopLevelWindow& window, std::function<bool()> busy)
    : window_(window), busy_(std::move(busy)) {
    window_.Bind(wxEVT_CLOSE_WINDOW, &CVelkCloseGuard::OnClose, this);
    window_.Bind(wxEVT_IDLE, &CVelkCloseGuard::OnIdle, this);
}

void CVelkCloseGuard::OnClose(wxCloseEvent& event) {
    if (busy_() && event.CanVeto()) {
        event.Veto();
        pending_ = true;
        return;
    }
    pending_ = false;
    event.Skip();  // the window's own close handling goes on
}

void CVelkCloseGuard::OnIdle(wxIdleEvent& event) {
    event.Skip();
    if (!pending_ || busy_()) return;
    pending_ = false;
    window_.Close();
}
