#include "librarian/wx/VelkViewInput.h"

#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "librarian/VelkClipboard.h"
#include "librarian/wx/CWxClipboard.h"
#include "resources/VelkCommandIds.h"
#include "resources/wx/VelkMenuBuilder.h"

namespace velkview {

void CMenuOnce::Request(wxEvtHandler& owner, std::function<void()> show) {
    if (pending_) return;
    pending_ = true;
    owner.CallAfter([this, show = std::move(show)] {
        pending_ = false;
        show();
    });
}

void BindCommand(wxWindow& view, int id, Enabled enabled, Action run, Action before) {
    view.Bind(
        wxEVT_UPDATE_UI,
        [enabled, before](wxUpdateUIEvent& event) {
            if (before) before();
            event.Enable(enabled());
        },
        velk::ToWxCommandId(id));
    view.Bind(
        wxEVT_MENU,
        [enabled, run, before](wxCommandEvent&) {
            if (before) before();
            if (enabled()) run();
        },
        velk::ToWxCommandId(id));
}

void BindEditCommands(wxWindow& view, std::function<wxTextCtrl*()> edit, ItemClipboard items, Action before) {
    for (const bool cut : {false, true}) {
        BindCommand(
            view, cut ? velk::ID_EDIT_CUT : velk::ID_EDIT_COPY,
            [edit, items, cut] {
                if (wxTextCtrl* text = edit()) return cut ? text->CanCut() : text->CanCopy();
                return items.canCopy(cut);
            },
            [edit, items, cut] {
                if (wxTextCtrl* text = edit()) cut ? text->Cut() : text->Copy();
                else items.copy(cut);
            },
            before);
    }
    BindCommand(
        view, velk::ID_EDIT_PASTE,
        [edit, items] {
            if (wxTextCtrl* text = edit()) return text->CanPaste();
            return items.canPaste();
        },
        [edit, items] {
            if (wxTextCtrl* text = edit()) text->Paste();
            else items.paste();
        },
        before);
}

wxDragResult ToDragResult(int effect) {
    switch (effect) {
    case kDropCopy: return wxDragCopy;
    case kDropMove: return wxDragMove;
    default: return wxDragNone;
    }
}

int ToEffect(wxDragResult result) {
    switch (result) {
    case wxDragCopy: return kDropCopy;
    case wxDragMove: return kDropMove;
    default: return kDropNone;
    }
}

namespace {

OfferedDrag RunningDrag() { return {CWxClipboard::GetDragPayload(), CWxClipboard::GetDragEffects()}; }

}  // namespace

CViewDropTarget::CViewDropTarget(Handlers handlers)
    : wxDropTarget(new wxCustomDataObject(CWxClipboard::GetFormat())), handlers_(std::move(handlers)) {}

wxDragResult CViewDropTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult) {
    return handlers_.over(wxPoint(x, y), wxGetKeyState(WXK_CONTROL), RunningDrag());
}

wxDragResult CViewDropTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult def) {
    return OnDragOver(x, y, def);
}

void CViewDropTarget::OnLeave() { handlers_.leave(); }

wxDragResult CViewDropTarget::OnData(wxCoord x, wxCoord y, wxDragResult def) {
    return handlers_.drop(wxPoint(x, y), def, RunningDrag()) ? def : wxDragNone;
}

}  // namespace velkview
