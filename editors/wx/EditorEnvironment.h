#pragma once
// What an editor window needs from the application to save and write: the
// waiting loop's device side and the application's transfer guard, and
// seams that default to the real wx ones when left empty (tests script
// them).

#include <functional>

#include "uiservices/VelkPrompter.h"
#include "uiservices/VelkWaitLoop.h"

class wxWindow;

struct EditorEnvironment {
    // Routes the device's input and cancels its transfer (CDeviceWaitTarget).
    // Null: none, so a write can only time out.
    VelkWaitTarget* target = nullptr;
    // Tells the application that a waiting loop runs. Null: the editor's own.
    CVelkTransferGuard* guard = nullptr;
    // Null: wx message boxes over the editor.
    VelkPrompter* prompter = nullptr;
    // Empty: the "Write to Device ?" confirmation (CDialogOverwrite) over
    // the editor; true for OK.
    std::function<bool(wxWindow& editor)> confirmWrite;
    // Null: the progress box (CDialogAnimate) over the editor.
    VelkProgressBox* progress = nullptr;
    // Null: the wx event pump on the steady clock.
    VelkEventPump* pump = nullptr;
};
