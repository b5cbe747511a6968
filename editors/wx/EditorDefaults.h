#pragma once
// The real seams an editor uses where its EditorEnvironment leaves one
// empty: message boxes over the editor, the wx event pump on the steady
// clock, the progress box, a transfer guard of its own, and no device side
// (so a write can only time out).

#include "librarian/VelkClock.h"
#include "librarian/VelkWaitLoop.h"
#include "librarian/wx/CDialogAnimate.h"
#include "librarian/wx/CWxEventPump.h"
#include "librarian/wx/CWxPrompter.h"

class wxWindow;

// A wait target without a device: routes nothing, cancels nothing.
class CNoWaitTarget final : public VelkWaitTarget {
public:
    void ProcessInput() override {}
    void CancelTransfer() override {}
};

struct CEditorDefaults {
    explicit CEditorDefaults(wxWindow* editor)
        : prompter([editor] { return editor; }), pump(clock), progress(editor) {}
    CWxPrompter prompter;
    CSteadyClock clock;
    CWxEventPump pump;
    CDialogAnimate progress;
    CVelkTransferGuard guard;
    CNoWaitTarget target;
};
