#pragma once
// What the tree and the list share on the window side: their commands with
// update handlers, the edit commands that work on a label's edit while one
// is edited, and a drop target for our own drag format.

#include <functional>

#include <wx/dnd.h>

#include "librarian/VelkClipboard.h"

class wxEvtHandler;
class wxTextCtrl;
class wxWindow;

namespace velkview {

// Counts the view's own changes to its control while it lives, so the
// control's events they raise are told apart from the user's.
class SyncScope {
public:
    explicit SyncScope(int& counter) : counter_(counter) { ++counter_; }
    ~SyncScope() { --counter_; }
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;

private:
    int& counter_;
};

// Shows a view's context menu once per gesture: one right click can ask for
// it twice (wx's own request, then GTK's). The menu shows once the click
// has been handled, when it has moved the selection.
class CMenuOnce {
public:
    void Request(wxEvtHandler& owner, std::function<void()> show);

private:
    bool pending_ = false;
};

using Enabled = std::function<bool()>;
using Action = std::function<void()>;

// Binds the update handler and the command handler of `id` (the
// application's command id) on `view`. `before` runs first in both (the
// list reads its selection back). A disabled command does nothing, however
// it was given (a key runs it whatever the menu shows).
void BindCommand(wxWindow& view, int id, Enabled enabled, Action run, Action before = {});

// Copy, Cut and Paste: on the label's edit while `edit` gives one, else on
// the view's items.
struct ItemClipboard {
    std::function<bool(bool cut)> canCopy;
    std::function<void(bool cut)> copy;
    Enabled canPaste;
    Action paste;
};
void BindEditCommands(wxWindow& view, std::function<wxTextCtrl*()> edit, ItemClipboard items,
                      Action before = {});

wxDragResult ToDragResult(int effect);
int ToEffect(wxDragResult result);

// The drag a view's drop target is offered: its payload when the drag is
// one of ours (null: the view refuses it), and the effects its source
// allows (VelkDropEffect bits).
struct OfferedDrag {
    const VelkPayload* payload = nullptr;
    int effects = kDropNone;
    // What the source allows; copy and move when it said nothing.
    int Allowed() const { return effects != kDropNone ? effects : (kDropCopy | kDropMove); }
};

// Drops of our own format. GTK hands out the data only on the drop, so the
// handlers are offered the drag running in this process (CWxClipboard's
// process-wide drag payload) instead.
class CViewDropTarget final : public wxDropTarget {
public:
    struct Handlers {
        std::function<wxDragResult(const wxPoint& point, bool ctrlDown, const OfferedDrag& drag)> over;
        Action leave;
        std::function<bool(const wxPoint& point, wxDragResult effect, const OfferedDrag& drag)> drop;
    };
    explicit CViewDropTarget(Handlers handlers);

    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult) override;
    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
    void OnLeave() override;
    bool OnDrop(wxCoord, wxCoord) override { return true; }
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;

private:
    Handlers handlers_;
};

}  // namespace velkview
