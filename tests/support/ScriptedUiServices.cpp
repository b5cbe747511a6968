#include "tests/support/ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace velktest {

namespace {

class ScriptedTimer final : public VelkTimer {
public:
    ScriptedTimer(ScriptedUiServices& ui, std::shared_ptr<ScriptedUiServices::TimerLog> log)
        : ui_(ui), log_(std::move(log)) {}
    ~ScriptedTimer() override {
        log_->running = false;
        log_->alive = false;
        log_->onFire = nullptr;
    }
    void Start(std::chrono::milliseconds delay) override {
        ++log_->starts;
        log_->delay = delay;
        log_->deadline = ui_.Now() + delay;
        log_->running = true;
    }
    void Stop() override { log_->running = false; }
    bool IsRunning() const override { return log_->running; }

private:
    ScriptedUiServices& ui_;
    std::shared_ptr<ScriptedUiServices::TimerLog> log_;
};

}  // namespace

std::vector<std::string> ScriptedUiServices::Texts() const {
    std::vector<std::string> texts;
    for (const Prompt& p : shown) texts.push_back(p.text);
    return texts;
}

std::vector<std::string> ScriptedUiServices::ConfirmCaptions() const {
    std::vector<std::string> captions;
    for (const Confirmation& c : confirmations) captions.push_back(c.caption);
    return captions;
}

VelkAnswer ScriptedUiServices::NextAnswer() {
    if (answers.empty()) return fallback;
    const VelkAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedUiServices::ShowMessage(const std::string& text, const std::string& caption, VelkIcon icon) {
    shown.push_back({Kind::kMessage, text, caption, icon});
}

VelkAnswer ScriptedUiServices::AskYesNo(const std::string& text, const std::string& caption, VelkIcon icon) {
    shown.push_back({Kind::kYesNo, text, caption, icon});
    if (whileAsked) whileAsked();
    return NextAnswer() == VelkAnswer::kYes ? VelkAnswer::kYes : VelkAnswer::kNo;
}

VelkAnswer ScriptedUiServices::AskYesNoCancel(const std::string& text, const std::string& caption,
                                              VelkIcon icon) {
    shown.push_back({Kind::kYesNoCancel, text, caption, icon});
    if (whileAsked) whileAsked();
    return NextAnswer();
}

bool ScriptedUiServices::ConfirmWrite(const std::string& caption, int* target, const MDevDesc* device,
                                      int targetKind) {
    confirmations.push_back({caption, target != nullptr, target ? *target : 0, device, targetKind});
    if (confirmAnswer && target && confirmSlot) *target = *confirmSlot;
    return confirmAnswer;
}

void ScriptedUiServices::ShowProgress(const std::string& caption) {
    progressCaptions.push_back(caption);
    progressShown = true;
}

void ScriptedUiServices::CloseProgress() {
    progressShown = false;
    ++progressCloses;
}

std::unique_ptr<VelkTimer> ScriptedUiServices::CreateTimer(std::function<void()> onFire) {
    auto log = std::make_shared<TimerLog>();
    log->onFire = std::move(onFire);
    timers_.push_back(log);
    return std::make_unique<ScriptedTimer>(*this, std::move(log));
}

ScriptedUiServices::TimerLog& ScriptedUiServices::LastTimer() {
    static TimerLog none;
    EXPECT_FALSE(timers_.empty()) << "no timer was made";
    return timers_.empty() ? none : *timers_.back();
}

int ScriptedUiServices::FireDueTimers() {
    int fired = 0;
    for (;;) {
        std::shared_ptr<TimerLog> due;
        for (const auto& timer : timers_) {
            const bool isDue = timer->running && timer->deadline <= Now();
            if (isDue && (!due || timer->deadline < due->deadline)) due = timer;
        }
        if (!due) return fired;
        due->running = false;
        due->fired.push_back(Elapsed());
        ++fired;
        // A copy: the handler may let the timer go.
        if (std::function<void()> onFire = due->onFire) onFire();
    }
}

void ScriptedUiServices::Advance(std::chrono::milliseconds span) {
    using namespace std::chrono_literals;
    for (auto t = 0ms; t < span; t += 1ms) {
        SleepFor(1ms);
        FireDueTimers();
    }
}

void ScriptedUiServices::Post(Task task) {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
}

int ScriptedUiServices::RunPending() {
    int ran = 0;
    for (;;) {
        Task task;
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

std::size_t ScriptedUiServices::Pending() const {
    std::lock_guard lock(mutex_);
    return tasks_.size();
}

void ScriptedUiServices::PumpFor(std::chrono::milliseconds budget) {
    ++pumps;
    RunPending();
    FireDueTimers();
    if (onPump) onPump();
    SleepFor(budget);
}

void ScriptedUiServices::SleepFor(std::chrono::milliseconds span) {
    if (span.count() > 0) now_.store(now_.load() + span);
}

std::chrono::milliseconds ScriptedUiServices::Elapsed() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Now() - start_);
}

}  // namespace velktest
