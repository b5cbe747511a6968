#pragma once
// A window that takes the device's change notices, as CMsgSender sees it.
// The editors' adapter implements it; tests use fakes. Every call comes on
// the user-interface thread.

class CMsgTarget {
public:
    virtual ~CMsgTarget() = default;

    // False once the window behind the target is gone.
    virtual bool IsAlive() const = 0;
    // "CMsgSender_DevDescUpdatedProgram": a program or the global object
    // changed. Handled now, before the change's caller goes on; true when
    // the window handled it.
    virtual bool OnDevDescUpdatedProgram() = 0;
    // "CMsgSender_MidiInMsg": the synthesizer moved a parameter to a value.
    // The window may take it for later (it is posted, not sent); true when
    // it took it.
    virtual bool OnMidiInMsg(int paramId, int value) = 0;
};
