#include "device/MDevTransferState.h"

#include <algorithm>

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

void MDevTransferState::Cancel(std::optional<TimePoint> lateUntil) {
    if (step_ == Step::AwaitLoad && lateUntil && !droppedLate_)
        lateUntil_ = lateUntil_ ? std::max(*lateUntil_, *lateUntil) : *lateUntil;
    kind_ = Kind::None;
    step_ = Step::Idle;
    pendingProgram_ = -1;
    droppedLate_ = false;
}

void MDevTransferState::EndReceive() {
    if (step_ != Step::AwaitDumps) return;
    kind_ = Kind::None;
    step_ = Step::Idle;
    lateUntil_.reset();
}

MDevTransferState::LoadCompleted MDevTransferState::OnDataLoadCompleted(TimePoint now, uint64_t outputLeft) {
    LoadCompleted result;
    if (IsLateLoadExpected(now)) {
        lateUntil_.reset();
        if (step_ != Step::Idle) droppedLate_ = true;
        return result;
    }
    lateUntil_.reset();  // past its time: it can no longer come
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
