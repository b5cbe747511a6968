#pragma once
// The program's user-interface services as the tests script them: answers
// from a script, and a record of every text, caption and icon shown, of
// each write confirmation and of the progress box; a clock that moves only
// when the test or a waiting pass lets time pass; an event loop that runs
// what was posted (from any thread) when a pass or the test runs it; and
// timers that fire once that clock has reached their time.
//
// A pass of the event loop (PumpFor) runs what was posted, fires the timers
// that are due, then the rig's hook `onPump` (the world's part: the synth
// answering, the wire delivering), and lets its budget pass on the clock.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "uiservices/VelkUiServices.h"

namespace velktest {

class ScriptedUiServices : public VelkUiServices {
public:
    // ------------------------------------------------ messages and questions
    enum class Kind { kMessage, kYesNo, kYesNoCancel };
    struct Prompt {
        Kind kind;
        std::string text;
        std::string caption;
        VelkIcon icon;
    };
    // Answers for the questions, in order; when none is left a question gets
    // `fallback`.
    std::deque<VelkAnswer> answers;
    VelkAnswer fallback = VelkAnswer::kCancel;
    std::vector<Prompt> shown;
    // Runs while a question is up, before it is answered (a real box runs
    // the event loop meanwhile: timers fire, input arrives).
    std::function<void()> whileAsked;
    // The texts shown, in order.
    std::vector<std::string> Texts() const;

    // ------------------------------------------------ the write confirmation
    struct Confirmation {
        std::string caption;
        bool withTarget;
        int offered;  // the slot it started at (with a target)
        const MDevDesc* device;
        int targetKind;
    };
    bool confirmAnswer = true;
    // The slot the user picks, stored into the target on OK; none: the
    // offered slot stays.
    std::optional<int> confirmSlot;
    std::vector<Confirmation> confirmations;
    std::vector<std::string> ConfirmCaptions() const;

    // ------------------------------------------------ the progress box
    std::vector<std::string> progressCaptions;  // one per ShowProgress
    bool progressShown = false;
    int progressCloses = 0;

    // ------------------------------------------------ timers
    struct TimerLog {
        int starts = 0;
        std::chrono::milliseconds delay{};  // of the last start
        // When it fired, as Elapsed() then.
        std::vector<std::chrono::milliseconds> fired;
        bool running = false;
        bool alive = true;  // its owner still holds it
        time_point deadline{};
        std::function<void()> onFire;
    };
    // Every timer made, in order, also those whose owner let them go.
    const std::vector<std::shared_ptr<TimerLog>>& Timers() const { return timers_; }
    // The timer made last; the test fails when there is none.
    TimerLog& LastTimer();
    // Fires every running timer whose time has come, the earliest first;
    // the count fired.
    int FireDueTimers();
    // Lets `span` pass on the clock in steps of 1 ms, firing the timers as
    // they fall due (time passing while the event loop idles).
    void Advance(std::chrono::milliseconds span);

    // ------------------------------------------------ event loop
    int pumps = 0;                 // passes run (PumpFor calls)
    std::function<void()> onPump;  // the rig's part of each pass
    // Runs what was posted so far and what that posts; the count run.
    int RunPending();
    std::size_t Pending() const;

    // ------------------------------------------------ clock
    // Since the services were made.
    std::chrono::milliseconds Elapsed() const;

    // VelkUiServices
    void ShowMessage(const std::string& text, const std::string& caption, VelkIcon icon) override;
    VelkAnswer AskYesNo(const std::string& text, const std::string& caption, VelkIcon icon) override;
    VelkAnswer AskYesNoCancel(const std::string& text, const std::string& caption, VelkIcon icon) override;
    bool ConfirmWrite(const std::string& caption, int* target, const MDevDesc* device,
                      int targetKind) override;
    void ShowProgress(const std::string& caption) override;
    void CloseProgress() override;
    std::unique_ptr<VelkTimer> CreateTimer(std::function<void()> onFire) override;
    void Post(Task task) override;
    void PumpFor(std::chrono::milliseconds budget) override;
    // Other threads may read it (a wire or a synth timed by it).
    time_point Now() const override { return now_.load(); }
    // Moves the clock; nothing runs meanwhile.
    void SleepFor(std::chrono::milliseconds span) override;

private:
    VelkAnswer NextAnswer();

    mutable std::mutex mutex_;  // the posted tasks
    std::deque<Task> tasks_;
    std::vector<std::shared_ptr<TimerLog>> timers_;
    const time_point start_ = time_point{} + std::chrono::hours(1);
    std::atomic<time_point> now_{start_};
};

}  // namespace velktest
