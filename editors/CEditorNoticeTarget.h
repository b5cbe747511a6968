#pragma once
// An editor as the device's notification list sees it. The list holds it
// weakly; the editor detaches it when its window goes, and from then on
// nothing reaches the editor: a synchronous notice is answered with 0, a
// post is refused, and a post queued before is dropped when it runs.

#include <atomic>
#include <functional>
#include <memory>

#include "midifile/CMsgTarget.h"

class CEditorNoticeTarget final : public CMsgTarget,
                                  public std::enable_shared_from_this<CEditorNoticeTarget> {
public:
    struct Handlers {
        std::function<void()> updatedProgram;       // "CMsgSender_DevDescUpdatedProgram"
        std::function<void(int, int)> midiIn;       // "CMsgSender_MidiInMsg": id, value
    };
    using Queue = std::function<void(std::function<void()>)>;

    CEditorNoticeTarget(Handlers handlers, Queue queue);

    // Nothing reaches the handlers after this.
    void Detach() { alive_ = false; }

    bool IsAlive() const override { return alive_; }
    int Post(unsigned message, intptr_t wParam, intptr_t lParam) override;
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) override;

private:
    Handlers handlers_;
    Queue queue_;
    std::atomic<bool> alive_{true};
};
