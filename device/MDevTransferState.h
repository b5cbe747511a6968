#pragma once
// Pairs each dump the system sends to the synth with the synth's replies:
// "data load completed" (23) and "write completed" (21). Every awaited send
// sets the whole state and clears the changed flag first, so nothing left by
// an earlier send that timed out can be taken for its confirmation.

class MDevTransferState {
public:
    // What a "data load completed" reply asks of the device.
    struct LoadCompleted {
        enum class Action {
            Ignore,             // nothing was awaited
            SendWriteRequest,   // a program write is pending: request it
            Completed,          // the send is confirmed (changed flag set)
        };
        Action action = Action::Ignore;
        int programIndex = -1;  // SendWriteRequest: the slot to write
        bool commitGlobal = false;  // Completed: copy working -> device global
    };

    // A current program dump for slot `index` (< 0: current program only).
    void BeginProgram(int index);
    // A global dump; `index` >= 0 commits the working global on confirmation.
    void BeginGlobal(int index);
    // A whole-device dump.
    void BeginAllData();
    // Forgets every awaited reply (a waiting loop timed out).
    void Cancel();

    LoadCompleted OnDataLoadCompleted();
    // The slot whose write is confirmed, or -1 when no write of a slot in
    // 0 .. programCount - 1 is pending (the reply is then ignored).
    int OnWriteCompleted(int programCount);

    // Sets the pending program slot without arming anything (file loads).
    void SetPendingProgram(int index) { pendingProgram_ = index; }

    void SetChanged() { changed_ = true; }
    // Returns the changed flag and clears it.
    bool TakeChanged();

    int GetPendingProgram() const { return pendingProgram_; }
    int GetPendingGlobal() const { return pendingGlobal_; }
    bool IsAwaiting() const { return awaiting_; }
    bool IsWritePending() const { return writePending_; }
    bool IsChanged() const { return changed_; }

private:
    int pendingProgram_ = -1;
    int pendingGlobal_ = -1;
    bool awaiting_ = false;
    bool writePending_ = false;
    bool changed_ = false;
};
