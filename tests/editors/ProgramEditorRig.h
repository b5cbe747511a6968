#pragma once
// The Program Editor's logic on the simulated synth, without windows: a
// fake timer on a fake clock, a scripted prompter and write confirmation,
// a recording view, and a waiting loop whose pump fires due timers and
// whose device side is the application's (CDeviceWaitTarget), counted.

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/CDialogEditPrgModel.h"
#include "tests/device/DevRig.h"
#include "tests/librarian/VelkTestSeams.h"

namespace prgtest {

using namespace std::chrono_literals;

// A one-shot timer on the fake clock; FireDue runs the handler once the
// delay since the last Start has passed.
class FakeTimer final : public EditorTimer {
public:
    explicit FakeTimer(velktest::FakeClock& clock) : clock_(clock) {}
    std::function<void()> onFire;
    int starts = 0;
    std::vector<std::chrono::milliseconds> fired;  // clock times of the fires

    void Start(std::chrono::milliseconds delay) override {
        ++starts;
        deadline_ = clock_.Now() + delay;
        running_ = true;
    }
    void Stop() override { running_ = false; }
    bool IsRunning() const { return running_; }

    bool FireDue() {
        if (!running_ || clock_.Now() < deadline_) return false;
        running_ = false;
        fired.push_back(clock_.Elapsed());
        if (onFire) onFire();
        return true;
    }
    // Lets `span` pass in 1 ms steps, firing when due.
    void Advance(std::chrono::milliseconds span) {
        for (auto t = 0ms; t < span; t += 1ms) {
            clock_.Advance(1ms);
            FireDue();
        }
    }

private:
    velktest::FakeClock& clock_;
    VelkClock::time_point deadline_{};
    bool running_ = false;
};

class FakeConfirm final : public EditorWriteConfirm {
public:
    bool answer = true;
    std::optional<int> chooseTarget;  // the slot the user picks, if any
    std::vector<int> offered;         // the target each confirmation started with
    std::vector<std::string> captions;

    bool ConfirmWrite(const std::string& caption, int* target, const MDevDesc*, int kind) override {
        EXPECT_EQ(kind, 1);
        captions.push_back(caption);
        offered.push_back(*target);
        if (answer && chooseTarget) *target = *chooseTarget;
        return answer;
    }
};

class FakeArpeggioPage final : public ArpeggioDisplay {
public:
    std::vector<std::pair<std::string, int>> calls;
    void SetVoiceMode(int v) override { calls.emplace_back("SetVoiceMode", v); }
    void ShowArpOnOff(int v) override { calls.emplace_back("ShowArpOnOff", v); }
    void ShowLatch(int v) override { calls.emplace_back("ShowLatch", v); }
    void ShowType(int v) override { calls.emplace_back("ShowType", v); }
    void ShowRange(int v) override { calls.emplace_back("ShowRange", v); }
    void ShowGate(int v) override { calls.emplace_back("ShowGate", v); }
};

class FakeView final : public ProgramEditorView {
public:
    std::vector<std::string> labels;
    int selected = -1;
    int pagesShown = 0;
    std::optional<PrgPageKind> page;  // the shown page
    std::optional<bool> saveEnabled;
    std::optional<EditorEnd> ended;
    FakeArpeggioPage arpeggio;

    void EnableSaveToFile(bool enabled) override { saveEnabled = enabled; }
    void SetTabs(std::span<const PrgTab> tabs, int sel) override {
        labels.clear();
        for (const PrgTab& t : tabs) labels.emplace_back(t.label);
        selected = sel;
    }
    void ShowPage(int index, PrgPageKind kind) override {
        page = kind;
        selected = index;
        ++pagesShown;
    }
    void DestroyPages() override {
        page.reset();
    }
    ArpeggioDisplay* ShownArpeggioPage() override {
        return page == PrgPageKind::Arpeggio ? &arpeggio : nullptr;
    }
    void EndEditor(EditorEnd end) override { ended = end; }
};

// The function byte of a system-exclusive message the synth received; -1
// for anything else.
inline int FunctionOf(const SimSynth& synth, const std::vector<uint8_t>& message) {
    const std::size_t at = 3 + synth.Info().modelId.size();
    if (message.size() <= at || message[0] != 0xF0) return -1;
    return message[at];
}

inline int CountFunction(const SimSynth& synth, int function) {
    int count = 0;
    for (const auto& m : synth.Received())
        if (FunctionOf(synth, m) == function) ++count;
    return count;
}

// The waiting loop's device side as the application gives it to an editor
// (CDeviceWaitTarget), counted. Each pass first lets the wire deliver and
// the event loop run (the synth's replies arrive and are routed by the
// configuration's posted task), unless `routeWhen` says the replies are
// still on their way: then what was sent crosses the wire, but nothing of
// the replies reaches the device model.
class EditorWaitTarget final : public velktest::FakeWaitTarget {
public:
    EditorWaitTarget(DevRig& dev) : dev_(dev), device_(dev.Config(), &dev.Dev()) {}
    std::function<bool()> routeWhen;  // empty: every pass

    void ProcessInput() override {
        FakeWaitTarget::ProcessInput();
        if (routeWhen && !routeWhen()) {
            dev_.Arrive();
            return;
        }
        dev_.Settle();
        device_.ProcessInput();
    }
    void CancelTransfer() override {
        FakeWaitTarget::CancelTransfer();
        device_.CancelTransfer();
    }
    uint64_t InputProgress() override { return device_.InputProgress(); }
    uint64_t InputLosses() const override { return device_.InputLosses(); }
    midiport::MidiOutProgress OutputProgress() override { return device_.OutputProgress(); }

private:
    DevRig& dev_;
    CDeviceWaitTarget device_;
};

inline constexpr int kCurrentProgramDump = 0x40;
inline constexpr int kWriteRequest = 0x11;

// The sends of the edit buffer the synth received since the last call.
class DumpCounter {
public:
    int Fresh(DevRig& dev) {
        dev.Settle();
        const int all = CountFunction(dev.Synth(), kCurrentProgramDump);
        const int fresh = all - seen_;
        seen_ = all;
        return fresh;
    }

private:
    int seen_ = 0;
};

class EditorRig {
public:
    // The editor tests count on the blank bank's programs: Single, all zero.
    explicit EditorRig(SimModel model = SimModel::Brontisel)
        : dev_(model, SimBank::Blank(model)), pump_(clock_) {
        EXPECT_TRUE(dev_.Connect());
        EXPECT_TRUE(dev_.ReceiveAll());
        dev_.Settle();
        // Each pass of a waiting loop: timers that fell due fire, as the
        // event loop would fire them.
        pump_.onPump = [this] { timer_.FireDue(); };
        dev_.Config().SetClock([this] { return clock_.Now(); });
        wait_ = std::make_unique<EditorWaitTarget>(dev_);
        wait_->routeWhen = [this] { return routeInput; };
    }

    // Opens the editor on a device slot (number >= 0) or a file.
    CDialogEditPrgModel& Open(int number, const std::filesystem::path& path = {}) {
        editor_ = std::make_unique<CDialogEditPrgModel>(
            &dev_.Dev(), number, path,
            EditorSeams{prompter, timer_, confirm, progress, pump_, guard, *wait_,
                        [this](std::function<void()> task) { posted.push_back(std::move(task)); }});
        timer_.onFire = [this] { editor_->OnTimer(); };
        if (editor_->HasProgram()) {
            EXPECT_TRUE(editor_->Init(view));
        }
        return *editor_;
    }

    // Runs the notices posted so far.
    void RunPosted() {
        while (!posted.empty()) {
            auto task = std::move(posted.front());
            posted.pop_front();
            task();
        }
    }

    // A page's user change: announced, as the pages store with notify 1.
    void Turn(int id, int32_t value) { editor_->Program()->SetParam(id, value, 1); }

    // Sends of the edit buffer the synth received since the last call.
    int NewDumps() { return dumps_.Fresh(dev_); }

    DevRig& Dev() { return dev_; }
    SimSynth& Synth() { return dev_.Synth(); }
    FakeTimer& Timer() { return timer_; }
    velktest::FakeClock& Clock() { return clock_; }
    velktest::FakeEventPump& Pump() { return pump_; }
    EditorWaitTarget& Wait() { return *wait_; }
    CDialogEditPrgModel& Editor() { return *editor_; }

    velktest::FakePrompter prompter;
    FakeConfirm confirm;
    velktest::FakeProgressBox progress;
    CVelkTransferGuard guard;
    FakeView view;
    std::deque<std::function<void()>> posted;
    bool routeInput = true;  // false: the synth's replies never reach the device model in a wait

private:
    DevRig dev_;
    velktest::FakeClock clock_;
    FakeTimer timer_{clock_};
    velktest::FakeEventPump pump_;
    std::unique_ptr<EditorWaitTarget> wait_;
    std::unique_ptr<CDialogEditPrgModel> editor_;
    DumpCounter dumps_;
};

}  // namespace prgtest
