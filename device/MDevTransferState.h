#pragma once
// Pairs each dump the system sends to the synth with the synth's replies:
// "data load completed" (23) and "write completed" (21). A transfer is
// armed before its request goes out, and a reply counts only in the step
// that awaits it: data load completed after this transfer's dump, write
// completed after this transfer's write request. Arming clears the changed
// flag, so nothing left by an earlier send can confirm the new one. No
// synth answers a dump before its last byte reached it: data load
// completed counts only once the output reports the dump has left.
//
// A transfer that timed out while its dump's reply was awaited, and whose
// dump the synth may still answer (it was still on a slow wire), may get
// that reply late: the next data load completed is taken for it and
// dropped. It is owed until no answer of that dump can still come (its
// caller says when that is), and never past a completed reception or a
// reconnection: the synth answers in order, and the dumps of a reception
// come after whatever it owed before. (For the same reason a late write
// completed always arrives before the next transfer's data load completed,
// while it awaits that.) The times are the caller's clock.

#include <chrono>
#include <cstdint>
#include <optional>

class MDevTransferState {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    enum class Kind { None, Program, Global, AllData, Receive };
    enum class Step {
        Idle,        // nothing awaited
        AwaitLoad,   // a dump was sent: its data load completed is awaited
        AwaitWrite,  // the program write request was sent: write completed is awaited
        AwaitDumps,  // dumps were requested: they are awaited
    };

    // What a "data load completed" reply asks of the device.
    struct LoadCompleted {
        enum class Action {
            Ignore,            // nothing awaited it
            SendWriteRequest,  // a program write: request it now
            Completed,         // the transfer is confirmed (changed flag set)
        };
        Action action = Action::Ignore;
        Kind kind = Kind::None;  // Completed: the kind of transfer confirmed
        int programIndex = -1;   // SendWriteRequest: the slot to write
    };

    // A current program dump for slot `index` (< 0: current program only).
    void BeginProgram(int index);
    // A global dump; its confirmation makes the sent global the device's.
    void BeginGlobal();
    // A whole-device dump.
    void BeginAllData();
    // Dump requests (a reception); the device tells when it is complete.
    void BeginReceive();
    // The output's accepted count right after the transfer's dump went out
    // (MDevConfig::OutputProgress): where the dump ends.
    void SetDumpEnd(uint64_t accepted) { dumpEnd_ = accepted; }
    // Forgets the awaited reply (a waiting loop timed out); `lateUntil`:
    // the synth may still answer the dump sent until then (none: it cannot
    // any more).
    void Cancel(std::optional<TimePoint> lateUntil = std::nullopt);
    // The reception is complete: no reply owed before it can still come.
    void EndReceive();
    // The ports were opened anew: neither.
    void ForgetLateReply() { lateUntil_.reset(); }

    // `now`: when it is routed; `outputLeft`: the output's count of bytes
    // that have left it by then.
    LoadCompleted OnDataLoadCompleted(TimePoint now, uint64_t outputLeft);
    // The slot whose write is confirmed, or -1 when this reply was not
    // awaited or the slot is not in 0 .. programCount - 1.
    int OnWriteCompleted(int programCount);

    void SetChanged() { changed_ = true; }
    // Returns the changed flag and clears it.
    bool TakeChanged();

    Kind GetKind() const { return kind_; }
    Step GetStep() const { return step_; }
    int GetPendingProgram() const { return pendingProgram_; }
    bool IsReceiving() const { return step_ == Step::AwaitDumps; }
    bool IsChanged() const { return changed_; }
    // A late data load completed of a timed-out transfer is still owed at `now`.
    bool IsLateLoadExpected(TimePoint now) const { return lateUntil_ && now < *lateUntil_; }

private:
    void Begin(Kind kind, Step step);

    Kind kind_ = Kind::None;
    Step step_ = Step::Idle;
    int pendingProgram_ = -1;
    uint64_t dumpEnd_ = 0;
    bool changed_ = false;
    std::optional<TimePoint> lateUntil_;  // a late data load completed is owed until then
    // This transfer dropped a reply as the late one of an earlier transfer.
    // If that reply was in fact its own (the earlier one never came), no
    // other late reply is owed when it times out.
    bool droppedLate_ = false;
};
