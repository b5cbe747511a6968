#pragma once
// A window that records the device's notices.

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "midifile/CMsgSender.h"
#include "midifile/CMsgTarget.h"

class DevNoticeTarget : public CMsgTarget {
public:
    bool IsAlive() const override { return true; }
    int Post(unsigned message, intptr_t wParam, intptr_t lParam) override {
        std::lock_guard lock(mutex_);
        if (message == CMsgSender::MidiInMsgId())
            posted_.emplace_back(static_cast<int>(wParam), static_cast<int>(lParam));
        return 1;
    }
    intptr_t Send(unsigned message, intptr_t, intptr_t) override {
        std::lock_guard lock(mutex_);
        if (message == CMsgSender::DevDescUpdatedProgramId()) ++updated_;
        return 1;
    }
    std::vector<std::pair<int, int>> TakePosted() {
        std::lock_guard lock(mutex_);
        return std::exchange(posted_, {});
    }
    int Updated() const {
        std::lock_guard lock(mutex_);
        return updated_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::pair<int, int>> posted_;
    int updated_ = 0;
};
