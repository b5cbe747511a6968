#include "device/MDevTransferState.h"

void MDevTransferState::Begin(Kind kind, Step step) {
    changed_ = false;
    kind_ = kind;
    step_ = step;
    pendingProgram_ = -1;
    dumpEnd_ = 0;
    droppedLate_ = false;
}

void MDevTransferState::BeginProgram(int index) {
    Begin(Kind::Program, Step::AwaitLoad);
    pendingProgram_ = index >= 0 ? index : -1;
}

void MDevTransferState::BeginGlobal() { Begin(Kind::Global, Step::AwaitLoad); }

void MDevTransferState::BeginAllData() { Begin(Kind::AllData, Step::AwaitLoad); }

void MDevTransferState::BeginReceive() { Begin(Kind::Receive, Step::AwaitDumps); }

void MDevTransferState::Cancel(bool mayStillCome) {
    if (step_ == Step::AwaitLoad && mayStillCome && !droppedLate_) lateLoad_ = true;
    kind_ = Kind::None;
    step_ = Step::Idle;
    pendingProgram_ = -1;
    droppedLate_ = false;
}

void MDevTransferState::EndReceive() {
    if (step_ != Step::AwaitDumps) return;
    kind_ = Kind::None;
    step_ = Step::Idle;
}

MDevTransferState::LoadCompleted MDevTransferState::OnDataLoadCompleted(uint64_t outputLeft) {
    LoadCompleted result;
    if (lateLoad_) {
        lateLoad_ = false;
        if (step_ != Step::Idle) droppedLate_ = true;
        return result;
    }
    if (step_ != Step::AwaitLoad) return result;
    // Before the dump was across: a stray copy of another exchange's reply.
    if (outputLeft < dumpEnd_) return result;
    if (kind_ == Kind::Program && pendingProgram_ >= 0) {
        step_ = Step::AwaitWrite;
        result.action = LoadCompleted::Action::SendWriteRequest;
        result.programIndex = pendingProgram_;
        return result;
    }
    result.action = LoadCompleted::Action::Completed;
    result.kind = kind_;
    kind_ = Kind::None;
    step_ = Step::Idle;
    changed_ = true;
    return result;
}

int MDevTransferState::OnWriteCompleted(int programCount) {
    if (step_ != Step::AwaitWrite || pendingProgram_ < 0 || pendingProgram_ >= programCount) return -1;
    const int slot = pendingProgram_;
    kind_ = Kind::None;
    step_ = Step::Idle;
    pendingProgram_ = -1;
    changed_ = true;
    return slot;
}

bool MDevTransferState::TakeChanged() {
    const bool was = changed_;
    changed_ = false;
    return was;
}
