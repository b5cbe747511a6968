#include "librarian/wx/CVelkCloseGuard.h"

#include <wx/toplevel.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>

namespace {

// GTK emits "event" before "delete-event", to whose handler wx leaves a
// disabled window's close request unanswered.
extern "C" gboolean OnWindowEvent(GtkWidget*, GdkEvent* event, gpointer guard) {
    if (event->type != GDK_DELETE) return FALSE;
    return static_cast<CVelkCloseGuard*>(guard)->OnCloseRequest() ? TRUE : FALSE;
}

}  // namespace
#endif

CVelkCloseGuard::CVelkCloseGuard(wxTopLevelWindow& window, std::function<bool()> busy)
    : window_(window), busy_(std::move(busy)) {
    window_.Bind(wxEVT_CLOSE_WINDOW, &CVelkCloseGuard::OnClose, this);
    window_.Bind(wxEVT_IDLE, &CVelkCloseGuard::OnIdle, this);
#ifdef __WXGTK__
    if (auto* widget = static_cast<GtkWidget*>(window_.GetHandle()))
        requestHandler_ = g_signal_connect(widget, "event", G_CALLBACK(OnWindowEvent), this);
#endif
}

CVelkCloseGuard::~CVelkCloseGuard() {
#ifdef __WXGTK__
    if (auto* widget = static_cast<GtkWidget*>(window_.GetHandle()); widget && requestHandler_)
        g_signal_handler_disconnect(widget, requestHandler_);
#endif
}

bool CVelkCloseGuard::OnCloseRequest() {
    if (!busy_()) return false;
    pending_ = true;
    return true;
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
