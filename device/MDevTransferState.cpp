#include "device/MDevTransferState.h"

void MDevTransferState::BeginProgram(int index) {
    changed_ = false;
    awaiting_ = true;
    pendingGlobal_ = -1;
    pendingProgram_ = index >= 0 ? index : -1;
    writePending_ = index >= 0;
}

void MDevTransferState::BeginGlobal(int index) {
    changed_ = false;
    awaiting_ = true;
    writePending_ = false;
    pendingProgram_ = -1;
    pendingGlobal_ = index >= 0 ? index : -1;
}

void MDevTransferState::BeginAllData() {
    changed_ = false;
    awaiting_ = true;
    writePending_ = false;
    pendingProgram_ = -1;
    pendingGlobal_ = -1;
}

void MDevTransferState::Cancel() {
    awaiting_ = false;
    writePending_ = false;
    pendingProgram_ = -1;
    pendingGlobal_ = -1;
}

MDevTransferState::LoadCompleted MDevTransferState::OnDataLoadCompleted() {
    LoadCompleted result;
    if (!awaiting_) return result;
    awaiting_ = false;
    if (writePending_ && pendingProgram_ >= 0) {
        result.action = LoadCompleted::Action::SendWriteRequest;
        result.programIndex = pendingProgram_;
        return result;
    }
    result.action = LoadCompleted::Action::Completed;
    if (pendingGlobal_ >= 0) {
        result.commitGlobal = true;
        pendingGlobal_ = -1;
    }
    changed_ = true;
    return result;
}

int MDevTransferState::OnWriteCompleted(int programCount) {
    if (!writePending_ || pendingProgram_ < 0 || pendingProgram_ >= programCount) return -1;
    writePending_ = false;
    changed_ = true;
    return pendingProgram_;
}

bool MDevTransferState::TakeChanged() {
    const bool was = changed_;
    changed_ = false;
    return was;
}
