#pragma once
// The Program Editor's logic on the simulated synth, without windows, with
// the scripted user-interface services: their clock times the commit timer
// and the synth's delayed replies, a recording view stands in for the
// dialog, and each pass of a waiting loop lets the synth answer what is due
// and the event loop route it (the editor's write itself waits on the
// device's own configuration, as in the application).

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editors/CDialogEditPrgModel.h"
#include "tests/device/DevRig.h"
#include "tests/support/ScriptedUiServices.h"
#include "uiservices/CDialogOverwriteModel.h"

namespace prgtest {

using namespace std::chrono_literals;

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
    void DestroyPages() override { page.reset(); }
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

// The slots the Program Editor's write confirmations started at; each asked
// for a program slot.
inline std::vector<int> OfferedSlots(const velktest::ScriptedUiServices& ui) {
    std::vector<int> slots;
    for (const auto& c : ui.confirmations) {
        EXPECT_TRUE(c.withTarget);
        EXPECT_EQ(c.targetKind, CDialogOverwriteModel::kProgram);
        slots.push_back(c.offered);
    }
    return slots;
}

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
        : dev_(model, SimBank::Blank(model), nullptr, [this] { return ui.Now(); }) {
        EXPECT_TRUE(dev_.Connect());
        EXPECT_TRUE(dev_.ReceiveAll());
        dev_.Settle();
        // Each pass of a waiting loop: the synth answers what is due by the
        // clock, the event loop routes it, then the test's own part.
        ui.onPump = [this] {
            dev_.Settle();
            if (onPass) onPass(ui.pumps);
        };
        dev_.Config().SetClock([this] { return ui.Now(); });
    }
    // Every write confirmation the editor asked offered a program slot.
    ~EditorRig() { OfferedSlots(ui); }

    // Opens the editor on a device slot (number >= 0) or a file.
    CDialogEditPrgModel& Open(int number, const std::filesystem::path& path = {}) {
        editor_ = std::make_unique<CDialogEditPrgModel>(&dev_.Dev(), number, path, ui);
        if (editor_->HasProgram()) {
            EXPECT_TRUE(editor_->Init(view));
        }
        return *editor_;
    }

    // Runs the notices posted so far.
    void RunPosted() { ui.RunPending(); }

    // A page's user change: announced, as the pages store with notify 1.
    void Turn(int id, int32_t value) { editor_->Program()->SetParam(id, value, 1); }

    // Sends of the edit buffer the synth received since the last call.
    int NewDumps() { return dumps_.Fresh(dev_); }

    DevRig& Dev() { return dev_; }
    SimSynth& Synth() { return dev_.Synth(); }
    // The commit timer of the editor opened last.
    velktest::ScriptedUiServices::TimerLog& Timer() { return ui.LastTimer(); }
    CDialogEditPrgModel& Editor() { return *editor_; }

    // Before the device, whose synth it times.
    velktest::ScriptedUiServices ui;
    FakeView view;
    std::function<void(int pass)> onPass;  // runs in each waiting pass, after delivery

private:
    DevRig dev_;
    std::unique_ptr<CDialogEditPrgModel> editor_;
    DumpCounter dumps_;
};

}  // namespace prgtest
