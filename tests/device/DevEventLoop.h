#pragma once
// The user-interface thread's event loop as the rigs run it: tasks posted
// from any thread (the device configuration routes input through them, as
// wxApp::CallAfter does in the application), run in order when the test
// runs the loop on its own thread.

#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "device/MDevConfig.h"

// An event loop a rig runs: where the configuration posts, and running
// what was posted.
class DevUiLoop {
public:
    virtual ~DevUiLoop() = default;
    // What the configuration gets (RouteInputVia).
    virtual MDevConfig::UiPoster Poster() = 0;
    // Runs what was posted so far and what that posts; the count run.
    virtual int RunPending() = 0;
};

class DevEventLoop final : public DevUiLoop {
public:
    // Valid while the loop lives.
    MDevConfig::UiPoster Poster() override {
        return [this](std::function<void()> task) { Post(std::move(task)); };
    }

    void Post(std::function<void()> task) {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }

    int RunPending() override {
        int ran = 0;
        for (;;) {
            std::function<void()> task;
            {
                std::lock_guard lock(mutex_);
                if (tasks_.empty()) return ran;
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
            task();
            ++ran;
        }
    }

    std::size_t Pending() const {
        std::lock_guard lock(mutex_);
        return tasks_.size();
    }

private:
    mutable std::mutex mutex_;
    std::deque<std::function<void()>> tasks_;
};
