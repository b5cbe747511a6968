#include "midifile/CMsgSender.h"

#include <algorithm>
#include <utility>

#include "midifile/MNamedMutex.h"
#include "midifile/MRegisteredMessage.h"
#include "midifile/stMtxLocker.h"

unsigned CMsgSender::MidiInMsgId() {
    return MRegisteredMessage::Register(kMidiInMsgName);
}

unsigned CMsgSender::DevDescUpdatedProgramId() {
    return MRegisteredMessage::Register(kDevDescUpdatedProgramName);
}

CMsgSender::CMsgSender() : mutex_(&MNamedMutex::Get(kMutexName)) {
    MidiInMsgId();
    DevDescUpdatedProgramId();
}

CMsgSender::~CMsgSender() = default;

void CMsgSender::AddWnd(std::shared_ptr<CMsgTarget> window) {
    if (!window) return;
    stMtxLocker lock(mutex_);
    const CMsgTarget* key = window.get();
    windows_.push_back({key, std::move(window), nextSerial_++});
}

void CMsgSender::RemoveWnd(const CMsgTarget* window) {
    stMtxLocker lock(mutex_);
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [window](const Entry& e) { return e.key == window; }),
                   windows_.end());
}

bool CMsgSender::StillListed(uint64_t serial) const {
    stMtxLocker lock(mutex_);
    return std::any_of(windows_.begin(), windows_.end(), [serial](const Entry& e) { return e.serial == serial; });
}

int CMsgSender::Broadcast(unsigned message, intptr_t wParam, intptr_t lParam, int send) {
    std::vector<Entry> snapshot;
    {
        stMtxLocker lock(mutex_);
        snapshot = windows_;
    }
    int result = 1;
    for (const Entry& entry : snapshot) {
        if (!StillListed(entry.serial)) continue;
        // Holding the target keeps it alive for the call.
        const std::shared_ptr<CMsgTarget> target = entry.target.lock();
        intptr_t answer = 0;
        if (target && target->IsAlive())
            answer = send != 0 ? target->Send(message, wParam, lParam) : target->Post(message, wParam, lParam);
        if (answer == 0) result = 0;
    }
    return result;
}

int CMsgSender::PostMidiInMsg(intptr_t wParam, intptr_t lParam) {
    return Broadcast(MidiInMsgId(), wParam, lParam, 0);
}

int CMsgSender::SendDevDescUpdatedProgram(intptr_t wParam, intptr_t lParam) {
    return Broadcast(DevDescUpdatedProgramId(), wParam, lParam, 1);
}
