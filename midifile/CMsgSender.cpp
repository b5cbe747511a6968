#include "midifile/CMsgSender.h"

#include <algorithm>
#include <utility>

void CMsgSender::AddWnd(std::shared_ptr<CMsgTarget> window) {
    if (!window) return;
    const CMsgTarget* key = window.get();
    windows_.push_back({key, std::move(window), nextSerial_++});
}

void CMsgSender::RemoveWnd(const CMsgTarget* window) {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [window](const Entry& e) { return e.key == window; }),
                   windows_.end());
}

bool CMsgSender::StillListed(uint64_t serial) const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [serial](const Entry& e) { return e.serial == serial; });
}

int CMsgSender::Broadcast(const std::function<bool(CMsgTarget&)>& notice) {
    // A copy: the handlers may change the list.
    const std::vector<Entry> snapshot = windows_;
    int result = 1;
    for (const Entry& entry : snapshot) {
        if (!StillListed(entry.serial)) continue;
        // Holding the target keeps it alive for the call.
        const std::shared_ptr<CMsgTarget> target = entry.target.lock();
        const bool answered = target && target->IsAlive() && notice(*target);
        if (!answered) result = 0;
    }
    return result;
}

int CMsgSender::PostMidiInMsg(int paramId, int value) {
    return Broadcast([paramId, value](CMsgTarget& target) { return target.OnMidiInMsg(paramId, value); });
}

int CMsgSender::SendDevDescUpdatedProgram() {
    return Broadcast([](CMsgTarget& target) { return target.OnDevDescUpdatedProgram(); });
}
