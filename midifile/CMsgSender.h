#pragma once
// The list of windows that want to hear about changes of the device's data,
// and the means of telling them: "CMsgSender_MidiInMsg" (posted: parameter
// id, value) when a parameter was moved on the synthesizer, and
// "CMsgSender_DevDescUpdatedProgram" (sent: handled before the call returns)
// when a program or global object changed.
//
// Threads: everything here lives on the user-interface thread. The windows
// add and remove themselves there, and both notices are raised there too:
// the MIDI thread only queues what it receives, and the device model (which
// is a CMsgSender) runs on the user-interface thread as that queue is
// drained (MDevConfig::ProcessInput), so a parameter report decoded from
// the synth, a received dump and an edit all notify from that thread. The
// list therefore needs no lock.
//
// The targets are called from a snapshot of the list, so a handler may add
// or remove windows: a window removed during a notice is skipped, one added
// during it is not served by it.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "midifile/CMsgTarget.h"

class CMsgSender {
public:
    static constexpr const char* kMidiInMsgName = "CMsgSender_MidiInMsg";
    static constexpr const char* kDevDescUpdatedProgramName = "CMsgSender_DevDescUpdatedProgram";

    CMsgSender() = default;
    virtual ~CMsgSender() = default;

    CMsgSender(const CMsgSender&) = delete;
    CMsgSender& operator=(const CMsgSender&) = delete;

    // Appends the window (the same one may stand in the list twice).
    void AddWnd(std::shared_ptr<CMsgTarget> window);
    // Removes every entry of the window; the others keep their order.
    void RemoveWnd(const CMsgTarget* window);

    // Each tells every window in list order. 1 when every window answered
    // true (also for an empty list), 0 when any answered false or is gone;
    // the others are served either way.
    int PostMidiInMsg(int paramId, int value);
    int SendDevDescUpdatedProgram();

private:
    struct Entry {
        const CMsgTarget* key;
        std::weak_ptr<CMsgTarget> target;
        uint64_t serial;  // tells an entry from a later one of the same window
    };

    // The one loop of both notices: `notice` tells one live window.
    int Broadcast(const std::function<bool(CMsgTarget&)>& notice);
    bool StillListed(uint64_t serial) const;

    std::vector<Entry> windows_;
    uint64_t nextSerial_ = 0;
};
