#pragma once
// An editor's entry in the device's notification list (CMsgSender). The
// device model runs on the user-interface thread, so "DevDescUpdatedProgram"
// is handled at once; "MidiInMsg" goes to the editor's handler for it, if
// any (which queues it for later). The editor registers the target when it
// opens and detaches it when it is destroyed: a detached target answers
// false and calls nothing, so no notice can reach an editor that is gone
// even if the list still held it.

#include <functional>
#include <memory>
#include <utility>

#include "midifile/CMsgSender.h"
#include "midifile/CMsgTarget.h"

class CEditorNoticeTarget final : public CMsgTarget {
public:
    using UpdatedHandler = std::function<void()>;
    using MidiInHandler = std::function<void(int paramId, int value)>;

    CEditorNoticeTarget(UpdatedHandler updated, MidiInHandler midiIn = {})
        : updated_(std::move(updated)), midiIn_(std::move(midiIn)) {}

    void Detach() {
        updated_ = {};
        midiIn_ = {};
    }
    bool IsAlive() const override { return static_cast<bool>(updated_); }

    bool OnDevDescUpdatedProgram() override {
        if (!updated_) return false;
        updated_();
        return true;
    }
    bool OnMidiInMsg(int paramId, int value) override {
        if (!midiIn_) return false;
        midiIn_(paramId, value);
        return true;
    }

private:
    UpdatedHandler updated_;
    MidiInHandler midiIn_;
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
