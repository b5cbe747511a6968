#pragma once
// The application's event loop for a rig on real windows: the configuration
// posts its routing as the application has it (through the wx services'
// Post); running the loop processes wx's pending events.

#include <atomic>
#include <memory>

#include <wx/app.h>

#include "tests/device/DevEventLoop.h"
#include "uiservices/wx/CWxUiServices.h"

class WxUiLoop final : public DevUiLoop {
public:
    MDevConfig::UiPoster Poster() override {
        // Counted on the way, by a counter the tasks own a share of: a task
        // run after the loop object went reaches nothing of it.
        return [this, ran = ran_](std::function<void()> task) {
            ui_.Post([ran, task = std::move(task)] {
                ++*ran;
                task();
            });
        };
    }
    int RunPending() override {
        const int before = ran_->load();
        if (wxTheApp) wxTheApp->ProcessPendingEvents();
        return ran_->load() - before;
    }

private:
    // Only its Post: no box opens through it.
    CWxUiServices ui_{[] { return nullptr; }};
    std::shared_ptr<std::atomic<int>> ran_ = std::make_shared<std::atomic<int>>(0);
};
