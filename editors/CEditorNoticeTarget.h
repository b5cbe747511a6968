#pragma once
// An editor's entry in the device's notification list (CMsgSender). The
// device model runs on the user-interface thread, so "DevDescUpdatedProgram"
// is sent synchronously and handled at once; "MidiInMsg" goes to the posted
// handler, if any. The editor registers the target when it opens and
// detaches it when it is destroyed: a detached target answers 0 and calls
// nothing, so no notice can reach an editor that is gone even if the list
// still held it.

#include <functional>
#include <memory>
#include <utility>

#include "midifile/CMsgSender.h"
#include "midifile/CMsgTarget.h"

class CEditorNoticeTarget final : public CMsgTarget {
public:
    using Handler = std::function<void(intptr_t wParam, intptr_t lParam)>;

    CEditorNoticeTarget(Handler updated, Handler midiIn = {})
        : updated_(std::move(updated)), midiIn_(std::move(midiIn)) {}

    void Detach() {
        updated_ = {};
        midiIn_ = {};
    }
    bool IsAlive() const override { return static_cast<bool>(updated_); }

    int Post(unsigned message, intptr_t wParam, intptr_t lParam) override {
        if (message != CMsgSender::MidiInMsgId() || !midiIn_) return 0;
        midiIn_(wParam, lParam);
        return 1;
    }
    intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) override {
        if (message != CMsgSender::DevDescUpdatedProgramId() || !updated_) return 0;
        updated_(wParam, lParam);
        return 1;
    }

private:
    Handler updated_;
    Handler midiIn_;
};

// Holds an editor's registration: registers on Register, unregisters and
// detaches on Unregister or destruction.
class CEditorRegistration {
public:
    explicit CEditorRegistration(CMsgSender& sender) : sender_(sender) {}
    ~CEditorRegistration() { Unregister(); }
    CEditorRegistration(const CEditorRegistration&) = delete;
    CEditorRegistration& operator=(const CEditorRegistration&) = delete;

    void Register(std::shared_ptr<CEditorNoticeTarget> target) {
        Unregister();
        target_ = std::move(target);
        sender_.AddWnd(target_);
    }
    void Unregister() {
        if (!target_) return;
        sender_.RemoveWnd(target_.get());
        target_->Detach();
        target_.reset();
    }
    bool IsRegistered() const { return target_ != nullptr; }

private:
    CMsgSender& sender_;
    std::shared_ptr<CEditorNoticeTarget> target_;
};
