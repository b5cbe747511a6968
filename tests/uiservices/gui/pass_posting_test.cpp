// A task another thread posts while a pass of the event loop runs (the MIDI
// thread's input routing during a waiting loop) runs on the pumping thread
// as it arrives, wherever the wait was started: before the main loop runs,
// from a key press, from a call queued to the main loop (a drop's paste), from
// a timer (an editor's commit), each also right after a modal dialog ended
// (the write confirmation comes before every write). The pass still lasts its
// budget, and the thread sleeps meanwhile.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/timer.h>

#include <X11/keysym.h>
#include <time.h>

#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "tests/guitest/RealInput.h"
#include "uiservices/wx/CWxUiServices.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kPass = 300ms;
// Two posts, the second well after anything else the pass dispatched.
constexpr std::array kPostAt{20ms, 120ms};
// How soon a posted task must run; a loaded machine may be a little late.
constexpr auto kPrompt = 30ms;

std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

struct PassRecord {
    std::array<Clock::time_point, kPostAt.size()> posted{};
    std::array<Clock::time_point, kPostAt.size()> ran{};
    std::array<std::thread::id, kPostAt.size()> ranOn{};
    Clock::duration length{};
    std::chrono::nanoseconds cpu{};
};

// One pass while another thread posts at kPostAt.
PassRecord PumpWhilePosting(CWxUiServices& ui) {
    PassRecord record;
    const auto start = Clock::now();
    std::thread poster([&] {
        for (size_t i = 0; i < kPostAt.size(); ++i) {
            std::this_thread::sleep_until(start + kPostAt[i]);
            record.posted[i] = Clock::now();
            ui.Post([&record, i] {
                record.ran[i] = Clock::now();
                record.ranOn[i] = std::this_thread::get_id();
            });
        }
    });
    const auto cpu = ThreadCpuTime();
    ui.PumpFor(kPass);
    record.cpu = ThreadCpuTime() - cpu;
    record.length = Clock::now() - start;
    poster.join();
    return record;
}

double Ms(Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); }

// Starts `wait` in one way of the program's; returns once it ran.
using Starter = std::function<void(const std::function<void()>& wait)>;

void FromTheTestItself(const std::function<void()>& wait) { wait(); }

void FromAQueuedCall(const std::function<void()>& wait) { guitest::RunInLoop(wait); }

void FromATimer(const std::function<void()>& wait) {
    bool done = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wait();
        done = true;
    });
    timer.StartOnce(1);
    ASSERT_TRUE(guitest::Until([&] { return done; }));
}

// A real key press on a shown window.
void FromAKeyPress(const std::function<void()>& wait) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "keys", wxPoint(40, 40), wxSize(300, 200));
    auto* panel = new wxPanel(frame);
    bool done = false;
    panel->Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent& event) {
        if (event.GetKeyCode() != 'K') return event.Skip();
        wait();
        done = true;
    });
    frame->Show();
    panel->SetFocus();
    guitest::Settle();
    guitest::XInput input;
    // Without a window manager the keyboard goes to the window under the
    // pointer.
    input.MoveTo(panel->GetScreenPosition() + wxPoint(50, 50));
    guitest::Settle();
    input.Tap(XK_k);
    EXPECT_TRUE(guitest::Until([&] { return done; }));
    frame->Destroy();
}

// A modal dialog shown and ended first, as the write confirmation is.
std::function<void()> AfterAModalDialog(std::function<void()> wait) {
    return [wait = std::move(wait)] {
        wxDialog dialog(nullptr, wxID_ANY, "Write to Device ...");
        wxTheApp->CallAfter([&dialog] { dialog.EndModal(wxID_OK); });
        dialog.ShowModal();
        wait();
    };
}

TEST(WxUiServicesPass, WhatAnotherThreadPostsRunsAsItArrivesWhereverTheWaitStarted) {
    struct Case {
        const char* name;
        Starter start;
        bool afterModal;
    };
    // clang-format off
    const Case cases[] = {
        {"before the main loop runs", FromTheTestItself, false},
        {"from a key press", FromAKeyPress, false},
        {"from a queued call", FromAQueuedCall, false},
        {"from a timer", FromATimer, false},
        {"after a modal dialog, from a key press", FromAKeyPress, true},
        {"after a modal dialog, from a queued call", FromAQueuedCall, true},
        {"after a modal dialog, from a timer", FromATimer, true},
    };
    // clang-format on
    CWxUiServices ui([] { return nullptr; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PassRecord record;
        std::function<void()> wait = [&] { record = PumpWhilePosting(ui); };
        if (c.afterModal) wait = AfterAModalDialog(wait);
        c.start(wait);
        for (size_t i = 0; i < kPostAt.size(); ++i) {
            ASSERT_NE(record.ran[i], Clock::time_point{}) << "post " << i << " never ran";
            EXPECT_EQ(record.ranOn[i], std::this_thread::get_id());
            EXPECT_LE(record.ran[i] - record.posted[i], kPrompt)
                << "post " << i << " ran " << Ms(record.ran[i] - record.posted[i])
                << " ms after it was posted";
        }
        EXPECT_GE(record.length, kPass);
        // A pass that spun would use about all of its time.
        EXPECT_LT(record.cpu, kPass / 3) << "the pumping thread used " << Ms(record.cpu) << " ms";
    }
}

}  // namespace
