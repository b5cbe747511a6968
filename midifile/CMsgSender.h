#pragma once
// The list of windows that want to hear about changes of the device's data,
// and the means of telling them: "CMsgSender_MidiInMsg" (posted: parameter
// id, value) when a parameter was moved on the synthesizer, and
// "CMsgSender_DevDescUpdatedProgram" (sent synchronously) when a program or
// global object changed. Every CMsgSender of the process guards its list
// with the one lock "CMsgSender_Mutex".
//
// The list is only read and changed under the lock; the targets are called
// outside it, from a snapshot, so a handler may add or remove windows and no
// thread waits for another's handler. Synchronous sends are made only on the
// UI thread (the thread of the windows); the MIDI thread only posts.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "midifile/CMsgTarget.h"

class CMsgSender {
public:
    static constexpr const char* kMidiInMsgName = "CMsgSender_MidiInMsg";
    static constexpr const char* kDevDescUpdatedProgramName = "CMsgSender_DevDescUpdatedProgram";
    static constexpr const char* kMutexName = "CMsgSender_Mutex";

    // The process-wide ids of the two notices, for the receiving windows.
    static unsigned MidiInMsgId();
    static unsigned DevDescUpdatedProgramId();

    CMsgSender();
    virtual ~CMsgSender();

    CMsgSender(const CMsgSender&) = delete;
    CMsgSender& operator=(const CMsgSender&) = delete;

    // Appends the window (the same one may stand in the list twice).
    void AddWnd(std::shared_ptr<CMsgTarget> window);
    // Removes every entry of the window; the others keep their order.
    void RemoveWnd(const CMsgTarget* window);

    // Sends (send != 0) or posts the message to every window in list order.
    // 1 when every call answered nonzero (also for an empty list), 0 when
    // any answered 0 or its window is gone; the others are served either
    // way. A window removed during the broadcast is skipped, one added
    // during it is not served by it.
    int Broadcast(unsigned message, intptr_t wParam, intptr_t lParam, int send);

    int PostMidiInMsg(intptr_t wParam, intptr_t lParam);
    int SendDevDescUpdatedProgram(intptr_t wParam, intptr_t lParam);

private:
    struct Entry {
        const CMsgTarget* key;
        std::weak_ptr<CMsgTarget> target;
        uint64_t serial;  // tells an entry from a later one of the same window
    };

    bool StillListed(uint64_t serial) const;

    std::recursive_mutex* mutex_;
    std::vector<Entry> windows_;
    uint64_t nextSerial_ = 0;
};
