#pragma once
// The user-interface thread's event loop as the device rigs run it: where
// the configuration posts the routing of its input (RouteInputVia), and
// running what was posted, on the test's thread.

#include <functional>

#include "device/MDevConfig.h"
#include "tests/support/ScriptedUiServices.h"

class DevUiLoop {
public:
    virtual ~DevUiLoop() = default;
    // What the configuration gets (RouteInputVia).
    virtual MDevConfig::UiPoster Poster() = 0;
    // Runs what was posted so far and what that posts; the count run.
    virtual int RunPending() = 0;
};

// The scripted services' event loop: posted from any thread (as
// wxApp::CallAfter is in the application), run in order when the test runs
// it.
class DevEventLoop final : public DevUiLoop {
public:
    // Valid while the loop lives.
    MDevConfig::UiPoster Poster() override {
        return [this](std::function<void()> task) { ui.Post(std::move(task)); };
    }
    int RunPending() override { return ui.RunPending(); }

    velktest::ScriptedUiServices ui;
};
