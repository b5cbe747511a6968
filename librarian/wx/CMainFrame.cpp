#include "librarian/wx/CMainFrame.h"

#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

#include "device/MDevConfig.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CDialogDevice.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkView.h"
#include "librarian/wx/CVelkCloseGuard.h"
#include "resources/VelkCommandIds.h"
#include "resources/VelkMenus.h"
#include "resources/VelkStrings.h"
#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkMenuBuilder.h"

using namespace velk;

namespace {

void CollectIds(std::span<const VelkMenuItem> items, std::set<int>& ids) {
    for (const VelkMenuItem& item : items) {
        if (item.kind == VelkMenuKind::Command) ids.insert(item.id);
        else if (item.kind == VelkMenuKind::Popup) CollectIds(item.items, ids);
    }
}

std::set<int> FrameCommandIds() {
    std::set<int> ids;
    CollectIds(VelkMainMenu(), ids);
    for (const VelkAccelerator& key : VelkAccelerators()) ids.insert(key.command);
    for (int id : VelkToolbarButtons())
        if (id != ID_SEPARATOR) ids.insert(id);
    return ids;
}

// The status bar's indicator panes and the keys whose lock state they show.
struct Indicator {
    int pane;
    int stringId;
    wxKeyCode key;
};
constexpr Indicator kIndicators[] = {{1, ID_INDICATOR_CAPS, WXK_CAPITAL},
                                     {2, ID_INDICATOR_NUM, WXK_NUMLOCK},
                                     {3, ID_INDICATOR_SCRL, WXK_SCROLL}};

// True when `window` is `pane` or lies inside it (the list's rows are an
// inner window of the list control).
bool IsInside(wxWindow* window, wxWindow* pane) {
    for (; window != nullptr && pane != nullptr; window = window->GetParent())
        if (window == pane) return true;
    return false;
}

}  // namespace

CMainFrame::CMainFrame(const Services& services)
    : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(text::kAppTitle), wxDefaultPosition, wxSize(900, 600)),
      doc_(services.doc),
      backend_(services.backend),
      preference_(services.preference),
      ui_(services.ui),
      application_(services.application),
      commands_(*this, services.launcher, services.ui, services.help),
      commandIds_(FrameCommandIds()) {
    SetIcons(VelkAppIcons());
    SetMenuBar(BuildVelkMenuBar(VelkMainMenu()).release());
    SetAcceleratorTable(BuildVelkAcceleratorTable(VelkAccelerators()));

    wxToolBar* toolbar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TOP);
    AddVelkToolbarTools(*toolbar, VelkToolbarButtons());

    const auto panes = VelkStatusBarPanes();
    wxStatusBar* status = CreateStatusBar(static_cast<int>(panes.size()));
    std::vector<int> widths(panes.size(), FromDIP(48));
    widths[0] = -1;  // the message pane takes the rest
    status->SetStatusWidths(static_cast<int>(widths.size()), widths.data());
    SetStatusText(wxString::FromUTF8(LoadVelkString(IDS_IDLE_MESSAGE)), 0);

    splitter_ = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                     wxSP_LIVE_UPDATE | wxSP_3DSASH);
    splitter_->SetMinimumPaneSize(FromDIP(20));
    panes_ = std::make_unique<CExplorerPanes>(splitter_, doc_, preference_, services.ui, services.launcher);
    splitter_->SplitVertically(GetTreeWindow(), GetListWindow(), kTreeWidth);
    active_ = GetTreeWindow();  // the first view is the active one at creation

    commands_.SetPanes(&panes_->GetTreePane(), &panes_->GetListPane());
    commands_.SetRootKind([this] { return doc_.GetCurrentFolder().rootKind; });
    // The document handles no command: its place on the route stays empty.
    router_.SetRoute({&commands_, nullptr, application_});

    closeGuard_ = std::make_unique<CVelkCloseGuard>(*this, [this] { return doc_.IsTransferRunning(); });
    Bind(wxEVT_CHILD_FOCUS, &CMainFrame::OnChildFocus, this);
    // The generic list control's inner window sends no child-focus event up
    // to the frame; it tells the list itself that it got the focus.
    wxWindow* const views[] = {GetTreeWindow(), GetListWindow()};
    for (wxWindow* pane : views)
        pane->Bind(wxEVT_SET_FOCUS, [this, pane](wxFocusEvent& event) {
            event.Skip();
            active_ = pane;
        });
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::InitialUpdate() { panes_->InitialUpdate(); }

bool CMainFrame::Show(bool show) {
#ifdef __WXGTK__
    // Under a window manager that reports its frame sizes, wx realizes a
    // window at a one-pixel allocation and maps it once the sizes arrive;
    // GTK then lays it out first at its smallest request, a few pixels
    // wide, and gives the toolbar and the panes' scroll bars negative room
    // (it prints criticals). Realized here, the window is laid out at its
    // own size from the start and wx maps it at once; the window manager
    // puts its frame around it.
    auto* widget = static_cast<GtkWidget*>(GetHandle());
    if (show && !IsShown() && widget != nullptr && !gtk_widget_get_realized(widget))
        gtk_widget_realize(widget);
#endif
    return wxFrame::Show(show);
}

CLeftView* CMainFrame::GetTreeWindow() const { return panes_->GetTree(); }

CVelkView* CMainFrame::GetListWindow() const { return panes_->GetList(); }

bool CMainFrame::IsClosePending() const { return closeGuard_ && closeGuard_->IsClosePending(); }

void CMainFrame::SetActiveView(wxWindow* pane) {
    if (pane == GetTreeWindow() || pane == GetListWindow()) active_ = pane;
}

VelkCommandState CMainFrame::UpdateCommand(int id) {
    wxUpdateUIEvent event(ToWxCommandId(id));
    event.SetEventObject(this);
    ProcessWindowEvent(event);
    VelkCommandState state;
    state.enabled = event.GetSetEnabled() && event.GetEnabled();
    if (event.GetSetChecked()) state.checked = event.GetChecked();
    if (event.GetSetText()) state.text = event.GetText().utf8_string();
    return state;
}

bool CMainFrame::RunCommand(int id) {
    wxCommandEvent event(wxEVT_MENU, ToWxCommandId(id));
    event.SetEventObject(this);
    return ProcessWindowEvent(event);
}

bool CMainFrame::TryBefore(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type != wxEVT_MENU && type != wxEVT_UPDATE_UI) return wxFrame::TryBefore(event);
    const int id = FromWxCommandId(event.GetId());
    if (!commandIds_.contains(id)) return wxFrame::TryBefore(event);

    // A key, a tool or a menu item runs a command only while the menus show
    // it enabled (GTK sends a key's command whatever the menu shows).
    if (type == wxEVT_MENU && !IsEnabledFor(id, event.GetEventObject())) return true;
    if (RouteToActiveView(event)) return true;
    if (type == wxEVT_MENU) {
        router_.Execute(id);  // a command nobody handles is dropped
        return true;
    }
    auto& update = static_cast<wxUpdateUIEvent&>(event);
    const VelkCommandState state = router_.Update(id);
    update.Enable(state.enabled);
    if (state.checked) update.Check(*state.checked);
    if (state.text) update.SetText(wxString::FromUTF8(*state.text));
    return true;
}

bool CMainFrame::IsEnabledFor(int id, wxObject* origin) {
    wxUpdateUIEvent update(ToWxCommandId(id));
    update.SetEventObject(origin);
    if (RouteToActiveView(update)) return update.GetSetEnabled() && update.GetEnabled();
    return router_.Update(id).enabled;
}

bool CMainFrame::RouteToActiveView(wxEvent& event) {
    // A command from a view's own context menu belongs to that view; the
    // menu bar, the toolbar and the keys go to the active view.
    wxWindow* origin = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (auto* menu = dynamic_cast<wxMenu*>(event.GetEventObject())) origin = menu->GetInvokingWindow();
    wxWindow* target = active_;
    if (IsInside(origin, GetTreeWindow())) target = GetTreeWindow();
    else if (IsInside(origin, GetListWindow())) target = GetListWindow();
    if (target == nullptr) return false;
    // Locally: the view's own handlers only, so the event does not come back
    // up to the frame.
    return target->GetEventHandler()->ProcessEventLocally(event);
}

void CMainFrame::OnChildFocus(wxChildFocusEvent& event) {
    event.Skip();
    if (IsInside(event.GetWindow(), GetTreeWindow())) active_ = GetTreeWindow();
    else if (IsInside(event.GetWindow(), GetListWindow())) active_ = GetListWindow();
}

void CMainFrame::OnIdle(wxIdleEvent& event) {
    event.Skip();
    UpdateIndicators();
}

void CMainFrame::UpdateIndicators() {
    wxStatusBar* status = GetStatusBar();
    if (status == nullptr || !status->IsShown()) return;
    for (const Indicator& indicator : kIndicators) {
        const wxString text =
            wxGetKeyState(indicator.key) ? wxString(LoadVelkString(indicator.stringId)) : wxString();
        if (status->GetStatusText(indicator.pane) != text) status->SetStatusText(text, indicator.pane);
    }
}

bool CMainFrame::RunMidiDeviceDialog() {
    MDevConfig& config = doc_.GetDevConfig();
    int in = config.GetMidiInPortId();
    int out = config.GetMidiOutPortId();
    // Parented to the frame, so it opens over it and not behind it.
    CDialogDevice dialog(&in, &out, backend_, preference_, this, ui_);
    const bool ok = dialog.ShowModal() == wxID_OK;
    // Also after Cancel: the dialog listed the ports again, and ids refer
    // to the lists handed out last.
    config.SetMidiInPortId(in);
    config.SetMidiOutPortId(out);
    return ok;
}

bool CMainFrame::IsBarShown(Bar bar) const {
    const wxWindow* window =
        bar == kToolBar ? static_cast<wxWindow*>(GetToolBar()) : static_cast<wxWindow*>(GetStatusBar());
    return window != nullptr && window->IsShown();
}

void CMainFrame::ShowBar(Bar bar, bool show) {
    wxWindow* window =
        bar == kToolBar ? static_cast<wxWindow*>(GetToolBar()) : static_cast<wxWindow*>(GetStatusBar());
    if (window == nullptr) return;
    window->Show(show);
    SendSizeEvent();
}

void CMainFrame::SwitchPane(bool next) {
    // Two panes: next and previous both move to the other one.
    (void)next;
    wxWindow* other = active_ == GetTreeWindow() ? static_cast<wxWindow*>(GetListWindow())
                                                 : static_cast<wxWindow*>(GetTreeWindow());
    active_ = other;
    other->SetFocus();
}

void CMainFrame::Exit() { Close(); }
