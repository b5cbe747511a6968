#pragma once
// Runs a task on the user-interface thread's event loop, from any thread
// (wx queues it thread-safely and wakes the loop): how the application has
// the MIDI input routed as it arrives (MDevConfig::RouteInputVia). The task
// itself must check that what it reaches still lives.

#include <functional>
#include <utility>

#include <wx/app.h>

inline void WxPostToUi(std::function<void()> task) {
    if (wxTheApp) wxTheApp->CallAfter(std::move(task));
}
