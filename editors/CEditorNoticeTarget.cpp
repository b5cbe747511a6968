#include "editors/CEditorNoticeTarget.h"

#include "midifile/CMsgSender.h"

CEditorNoticeTarget::CEditorNoticeTarget(Handlers handlers, Queue queue)
    : handlers_(std::move(handlers)), queue_(std::move(queue)) {}

int CEditorNoticeTarget::Post(unsigned message, intptr_t wParam, intptr_t lParam) {
    if (!alive_ || !queue_) return 0;
    if (message != CMsgSender::MidiInMsgId()) return 1;
    // The task holds the target weakly and looks again when it runs: the
    // editor may have gone in between.
    std::weak_ptr<CEditorNoticeTarget> weak = weak_from_this();
    queue_([weak, wParam, lParam] {
        const auto self = weak.lock();
        if (!self || !self->alive_ || !self->handlers_.midiIn) return;
        self->handlers_.midiIn(static_cast<int>(wParam), static_cast<int>(lParam));
    });
    return 1;
}

intptr_t CEditorNoticeTarget::Send(unsigned message, intptr_t, intptr_t) {
    if (alive_ && message == CMsgSender::DevDescUpdatedProgramId() && handlers_.updatedProgram)
        handlers_.updatedProgram();
    return 0;
}
