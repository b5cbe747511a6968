#pragma once
// The real seams an editor uses where its EditorEnvironment leaves one
// empty: message boxes over the editor, the wx event pump on the steady
// clock, the progress box, a transfer guard of its own, and no device side
// (so a write can only time out).

#include "uiservices/VelkClock.h"
#include "uiservices/VelkWaitLoop.h"
#include "uiservices/wx/CDialogAnimate.h"
#include "uiservices/wx/CWxEventPump.h"
#include "uiservices/wx/CWxPrompter.h"

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
