#pragma once
// Everything the program asks of the user and of the event loop, in one
// interface: message boxes and questions, the write confirmation with its
// slot, the progress box, one-shot timers, tasks posted to the
// user-interface thread, one pass of the event loop, and the clock. The
// document, the views and the editors take it (with the device) and know
// nothing of windows; uiservices/wx/CWxUiServices.h shows real boxes, the
// tests script the answers (tests/support/ScriptedUiServices.h).
//
// All of it runs on the user-interface thread, except Post, which any
// thread may call.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "uiservices/CVelkTransferGuard.h"

class MDevDesc;

enum class VelkAnswer { kOk, kYes, kNo, kCancel };
enum class VelkIcon { kNone, kInformation, kWarning, kError, kQuestion };

// A one-shot timer made by the services: it calls its owner's handler once,
// on the user-interface thread, when its time has passed.
class VelkTimer {
public:
    virtual ~VelkTimer() = default;
    // Starts the timer; one that runs starts again from now.
    virtual void Start(std::chrono::milliseconds delay) = 0;
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

class VelkUiServices {
public:
    using Task = std::function<void()>;
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~VelkUiServices() = default;

    // A box with one OK button. Every box shows the icon it is given, and
    // none for kNone.
    virtual void ShowMessage(const std::string& text, const std::string& caption, VelkIcon icon) = 0;
    // kYes or kNo.
    virtual VelkAnswer AskYesNo(const std::string& text, const std::string& caption, VelkIcon icon) = 0;
    // kYes, kNo or kCancel.
    virtual VelkAnswer AskYesNoCancel(const std::string& text, const std::string& caption, VelkIcon icon) = 0;

    // The confirmation asked before anything is written to the synthesizer
    // ("Write to Device ..."): `caption` is its question; with a `target`,
    // the slot of `device` to write (of `targetKind`, CDialogOverwriteModel's
    // kProgram or kGlobal) can be chosen, starting at *target. True on OK,
    // after which the chosen slot is in *target (left alone when null).
    virtual bool ConfirmWrite(const std::string& caption, int* target, const MDevDesc* device,
                              int targetKind) = 0;

    // The progress box shown while a transfer waits ("MIDI Transfering
    // ..."). An empty caption keeps the box's own title; showing a shown
    // box only changes its title. CVelkProgressScope pairs the two calls.
    virtual void ShowProgress(const std::string& caption) = 0;
    virtual void CloseProgress() = 0;

    // A one-shot timer that calls `onFire` when it runs out; it lives as
    // long as the object returned.
    virtual std::unique_ptr<VelkTimer> CreateTimer(std::function<void()> onFire) = 0;

    // Runs `task` later on the user-interface thread, in the order posted;
    // any thread may call it, and it never waits for the task. The task
    // itself checks that what it reaches still lives.
    virtual void Post(Task task) = 0;
    // One pass of the event loop: runs the events, timers and posted tasks
    // as they come, and returns once `budget` has passed on the clock.
    virtual void PumpFor(std::chrono::milliseconds budget) = 0;

    // The clock of the waiting loops and of the pauses before a send.
    virtual time_point Now() const = 0;
    // Waits without running any event.
    virtual void SleepFor(std::chrono::milliseconds span) = 0;

    // The guard of every waiting loop of the program.
    CVelkTransferGuard& TransferGuard() { return guard_; }

private:
    CVelkTransferGuard guard_;
};
