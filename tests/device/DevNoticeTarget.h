#pragma once
// A window that records the device's notices, and the threads they came on.

#include <thread>
#include <utility>
#include <vector>

#include "midifile/CMsgTarget.h"

class DevNoticeTarget : public CMsgTarget {
public:
    bool IsAlive() const override { return true; }
    bool OnMidiInMsg(int paramId, int value) override {
        threads_.push_back(std::this_thread::get_id());
        posted_.emplace_back(paramId, value);
        return true;
    }
    bool OnDevDescUpdatedProgram() override {
        threads_.push_back(std::this_thread::get_id());
        ++updated_;
        return true;
    }
    std::vector<std::pair<int, int>> TakePosted() { return std::exchange(posted_, {}); }
    int Updated() const { return updated_; }
    // The thread of every notice so far, in order.
    const std::vector<std::thread::id>& Threads() const { return threads_; }

private:
    std::vector<std::pair<int, int>> posted_;
    int updated_ = 0;
    std::vector<std::thread::id> threads_;
};
